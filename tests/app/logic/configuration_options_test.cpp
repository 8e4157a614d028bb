#include "app/logic/configuration_options.h"

#include <gtest/gtest.h>

namespace brondavel::app {
namespace {

TEST(ConfigurationOptions, PortTextNamesANumberOrADevice) {
    auto parsed = [](const std::string& text, int inUse) {
        const PortChoice choice = ParsePortChoice(text, inUse);
        return std::tuple(choice.number, choice.device);
    };
    EXPECT_EQ(PortEntryLabel(3, "/dev/ttyS2"), "COM3  (/dev/ttyS2)");
    EXPECT_EQ(parsed(PortEntryLabel(3, "/dev/ttyS2"), 1), std::tuple(3, ""));
    EXPECT_EQ(parsed(" COM9 ", 1), std::tuple(9, ""));
    // A typed device becomes the device of the port in use, or of COM1 when
    // the port in use is none of COM1 to COM9.
    EXPECT_EQ(parsed("/dev/ttyUSB0", 4), std::tuple(4, "/dev/ttyUSB0"));
    EXPECT_EQ(parsed("/dev/pts/7", 0), std::tuple(1, "/dev/pts/7"));
    for (const char* wrong : {"", "COM", "COM0", "COM10", "com2", "ttyS0"})
        EXPECT_EQ(std::get<0>(parsed(wrong, 1)), 0) << wrong;
}

}  // namespace
}  // namespace brondavel::app
