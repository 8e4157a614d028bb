#include "app/logic/status_line.h"

#include <gtest/gtest.h>

namespace brondavel::app {
namespace {

StatusInputs Idle() {
    StatusInputs in;
    in.portOpen = true;
    return in;
}

TEST(StatusLine, IdleTextCarriesModelFlashCompressAndAccount) {
    EXPECT_EQ(StatusLineText(Idle()), "Ver 2.13-8C5AS2-RCIU-S ( 2009.02.18. )");
    // Values outside the tables add nothing.
    EXPECT_EQ(IdleStatusText(7, 9, 5, 3), "Ver 2.13--RU ( 2009.02.18. )");
}

TEST(StatusLine, PortAndTransferComeBeforeAGivenText) {
    StatusInputs in = Idle();
    in.text = "Hello";
    EXPECT_EQ(StatusLineText(in), "Hello");
    in.transfer = TransferPhase::kSending;
    EXPECT_EQ(StatusLineText(in), "Downloading..");
    in.transfer = TransferPhase::kReceiving;
    EXPECT_EQ(StatusLineText(in), "Uploading..");
    in.portOpen = false;
    EXPECT_EQ(StatusLineText(in), "Disconnect !!! ( Port Resetting )");
    in.portPresent = true;
    EXPECT_EQ(StatusLineText(in), "Disconnect !!! ( Another Comm Program Exit )");
}

}  // namespace
}  // namespace brondavel::app
