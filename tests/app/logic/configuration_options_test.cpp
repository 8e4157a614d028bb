#include "app/logic/configuration_options.h"

#include <gtest/gtest.h>

namespace brondavel::app {
namespace {

TEST(ConfigurationOptions, PortTextNamesANumberOrADevice) {
    EXPECT_EQ(PortEntryLabel(3, "/dev/ttyS2"), "COM3  (/dev/ttyS2)");
    PortChoice entry = ParsePortChoice(PortEntryLabel(3, "/dev/ttyS2"), 1);
    EXPECT_EQ(entry.number, 3);
    EXPECT_EQ(entry.device, "");
    EXPECT_EQ(ParsePortChoice(" COM9 ", 1).number, 9);
    // A typed device becomes the device of the port in use...
    PortChoice typed = ParsePortChoice("/dev/ttyUSB0", 4);
    EXPECT_EQ(typed.number, 4);
    EXPECT_EQ(typed.device, "/dev/ttyUSB0");
    // ...or of COM1 when the port in use is none of COM1 to COM9.
    EXPECT_EQ(ParsePortChoice("/dev/pts/7", 0).number, 1);
    for (const char* wrong : {"", "COM", "COM0", "COM10", "com2", "ttyS0"})
        EXPECT_EQ(ParsePortChoice(wrong, 1).number, 0) << wrong;
}

}  // namespace
}  // namespace brondavel::app
