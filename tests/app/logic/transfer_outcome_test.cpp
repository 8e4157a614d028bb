#include "app/logic/transfer_outcome.h"

#include <gtest/gtest.h>

#include "link/protocol.h"

namespace brondavel::app {
namespace {

TEST(TransferOutcome, ResultCodesGiveTheirMessages) {
    TransferOutcome up = DecideTransferOutcome(0, kWriteIntoReceiver, 2);
    EXPECT_EQ(up.text, "Upload Success");
    EXPECT_STREQ(CaptionOf(up.level), "Success");
    EXPECT_FALSE(up.openReceivedFile);

    EXPECT_EQ(DecideTransferOutcome(0, kReadFromReceiver, 2).text, "Download Success");
    EXPECT_FALSE(DecideTransferOutcome(0, kReadFromReceiver, 2).openReceivedFile);
    EXPECT_TRUE(DecideTransferOutcome(0, kReadFromReceiver, 0).openReceivedFile);

    TransferOutcome refused = DecideTransferOutcome(0x8900, kWriteIntoReceiver, 2);
    EXPECT_EQ(refused.text, "Model Version Check");
    EXPECT_STREQ(CaptionOf(refused.level), "Error");
    EXPECT_EQ(DecideTransferOutcome(0x8000, kReadFromReceiver, 2).text, "SetTop Power Off and On");
    EXPECT_EQ(DecideTransferOutcome(0x8200, kWriteIntoReceiver, 1).text, "No Send Data");

    TransferOutcome stopped = DecideTransferOutcome(0x8100, kWriteIntoReceiver, 2);
    EXPECT_EQ(stopped.level, MessageLevel::kNone);
    EXPECT_TRUE(stopped.text.empty());
}

TEST(TransferOutcome, CodesWithoutATextStillReportAFailure) {
    for (uint16_t code : {0x8400, 0x8500, 0x8800}) {
        TransferOutcome out = DecideTransferOutcome(code, kReadFromReceiver, 0);
        EXPECT_EQ(out.level, MessageLevel::kError) << code;
        EXPECT_NE(out.text.find("0x"), std::string::npos);
        EXPECT_FALSE(out.openReceivedFile);
    }
}

TEST(TransferOutcome, ProgressNeedsAPositiveTotal) {
    EXPECT_EQ(ProgressPercent(1024, 336000), 0);
    EXPECT_EQ(ProgressPercent(168000, 336000), 50);
    EXPECT_EQ(ProgressPercent(336000, 336000), 100);
    EXPECT_EQ(ProgressPercent(0, 336000), 0);
    EXPECT_EQ(ProgressPercent(0, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(5, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(5, -1), std::nullopt);
    // Large files do not overflow.
    EXPECT_EQ(ProgressPercent(3'000'000'000ULL, 4'000'000'000LL), 75);
}

}  // namespace
}  // namespace brondavel::app
