#include "app/logic/number_entry.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/logic/record_options.h"

namespace brondavel::app {
namespace {

TEST(NumberEntry, ReadsEveryDigitAndNothingElse) {
    // Past 32 bits the number wraps as the field does.
    const std::pair<const char*, uint32_t> cases[] = {
        {" 1a2-b3 ", 123}, {"abc", 0}, {"4294967295", 4294967295u}, {"4294967296", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadDigits(text), value) << text;
}

TEST(NumberEntry, LongitudeFromDegreesAndSide) {
    // Later decimals are dropped; beyond 360 degrees, also where a 32-bit
    // register would wrap a run of digits into range, is 0.
    const std::tuple<const char*, bool, int> cases[] = {
        {"13", false, 130},  {"13.5", true, -135},    {"13.57", false, 135},
        {"13.", false, 130}, {".5", true, -5},        {"360", true, -3600},
        {"360.1", false, 0}, {"429496739", false, 0}, {"99999999999999999999", false, 0}};
    for (const auto& [text, west, value] : cases)
        EXPECT_EQ(ReadLongitude(text, west), value) << text;
}

TEST(NumberEntry, LongitudeShownAsMagnitudeAndSide) {
    EXPECT_EQ(LongitudeDegreeText(-135), "13.5");
    EXPECT_EQ(LongitudeDegreeText(-32768), "3276.8");
    EXPECT_EQ(LongitudeSide(0), kEast);
    // What is shown reads back as the same longitude.
    for (int16_t lon : {-3600, -135, -5, 0, 1, 130, 3600})
        EXPECT_EQ(ReadLongitude(LongitudeDegreeText(lon), LongitudeSide(lon) == kWest), lon);
}

TEST(NumberEntry, PidTextStartsWithADigitAndHasNoBlank) {
    EXPECT_TRUE(IsValidPidText("0") && IsValidPidText("8191"));
    for (const char* wrong : {"", " 12", "1 2", "x12"})
        EXPECT_FALSE(IsValidPidText(wrong)) << wrong;
}

}  // namespace
}  // namespace brondavel::app
