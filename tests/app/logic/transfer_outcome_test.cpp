#include "app/logic/transfer_outcome.h"

#include <gtest/gtest.h>

#include "app/logic/transfer_session.h"
#include "link/protocol.h"

namespace brondavel::app {
namespace {

TEST(TransferOutcome, ResultCodesGiveTheirMessages) {
    struct Case {
        uint16_t code;
        int kind, mode;
        bool stopped;
        MessageLevel level;
        const char* text;
        bool opens;
    };
    const Case cases[] = {
        {0, kWriteIntoReceiver, 2, false, MessageLevel::kSuccess, "Upload Success", false},
        {0, kReadFromReceiver, 2, false, MessageLevel::kSuccess, "Download Success", false},
        {0, kReadFromReceiver, 1, false, MessageLevel::kSuccess, "Download Success", true},
        {0x8900, kWriteIntoReceiver, 2, false, MessageLevel::kError, "Model Version Check", false},
        {0x8100, kWriteIntoReceiver, 2, false, MessageLevel::kNone, "", false},
        // Whatever the protocol made of a stop, the user hears that it stopped.
        {0x8100, kReadFromReceiver, 2, true, MessageLevel::kMessage, kTransferStoppedText, false},
        {0, kWriteIntoReceiver, 2, true, MessageLevel::kSuccess, "Upload Success", false},
        // Codes without a text of their own still report a failure.
        {0x8800, kReadFromReceiver, 1, false, MessageLevel::kError, "Transfer failed (0x8800)",
         false},
    };
    for (const Case& c : cases) {
        const TransferOutcome out = DecideTransferOutcome(c.code, c.kind, c.mode, c.stopped);
        EXPECT_EQ(std::tie(out.level, out.text, out.openReceivedFile),
                  std::tuple(c.level, c.text, c.opens))
            << c.code;
    }
}

TEST(TransferOutcome, ProgressNeedsAPositiveTotal) {
    EXPECT_EQ(ProgressPercent(5, 0), std::nullopt);
    // Large files do not overflow.
    EXPECT_EQ(ProgressPercent(3'000'000'000ULL, 4'000'000'000LL), 75);
}

TEST(TransferSession, OneTransferAtATimeAndTheBatchReadPlacesItsFile) {
    TransferSession session;
    ASSERT_TRUE(session.Begin(kReadFromReceiver, 2));
    EXPECT_FALSE(session.Begin(kWriteIntoReceiver, 0));
    session.RequestStop();
    EXPECT_EQ(session.Finish(link::kResultFailed).text, kTransferStoppedText);
    EXPECT_TRUE(session.Idle());
    session.Abandon();
    EXPECT_TRUE(session.TakeReceivedFile());
    EXPECT_FALSE(session.TakeReceivedFile());

    // A stop asked for before is forgotten by the next transfer; a plain-block
    // read places nothing afterwards.
    ASSERT_TRUE(session.Begin(kReadFromReceiver, 0));
    EXPECT_EQ(session.Mode(), 1);
    EXPECT_FALSE(session.StopRequested());
    EXPECT_EQ(session.Finish(link::kResultFailed).text, "No Send Data");
    EXPECT_FALSE(session.TakeReceivedFile());

    ASSERT_TRUE(session.Begin(kWriteIntoReceiver, 2));
    EXPECT_EQ(session.Phase(), TransferPhase::kSending);
    session.Abandon();
    EXPECT_TRUE(session.Idle());
    EXPECT_EQ(session.Finish(0).level, MessageLevel::kNone);
}

}  // namespace
}  // namespace brondavel::app
