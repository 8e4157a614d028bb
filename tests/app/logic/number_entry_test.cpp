#include "app/logic/number_entry.h"

#include <gtest/gtest.h>

#include "app/logic/record_options.h"

namespace brondavel::app {
namespace {

TEST(NumberEntry, ReadsEveryDigitAndNothingElse) {
    EXPECT_EQ(ReadDigits("1234"), 1234u);
    EXPECT_EQ(ReadDigits(" 1a2-b3 "), 123u);
    EXPECT_EQ(ReadDigits("-42"), 42u);
    EXPECT_EQ(ReadDigits(""), 0u);
    EXPECT_EQ(ReadDigits("abc"), 0u);
    EXPECT_EQ(ReadDigits("4294967295"), 4294967295u);
    EXPECT_EQ(ReadDigits("4294967296"), 0u);  // wraps like the 32-bit field
}

TEST(NumberEntry, LongitudeFromDegreesAndSide) {
    EXPECT_EQ(ReadLongitude("13", false), 130);
    EXPECT_EQ(ReadLongitude("13.5", true), -135);
    EXPECT_EQ(ReadLongitude("13.57", false), 135);  // later decimals dropped
    EXPECT_EQ(ReadLongitude("13.", false), 130);
    EXPECT_EQ(ReadLongitude(".5", true), -5);
    EXPECT_EQ(ReadLongitude("360", false), 3600);
    EXPECT_EQ(ReadLongitude("360", true), -3600);
    EXPECT_EQ(ReadLongitude("360.1", false), 0);
    EXPECT_EQ(ReadLongitude("400", false), 0);
    // A run of digits that a 32-bit register would wrap into range stays out.
    EXPECT_EQ(ReadLongitude("429496739", false), 0);
    EXPECT_EQ(ReadLongitude("99999999999999999999", false), 0);
}

TEST(NumberEntry, LongitudeShownAsMagnitudeAndSide) {
    EXPECT_EQ(LongitudeDegreeText(0), "0");
    EXPECT_EQ(LongitudeDegreeText(130), "13.0");
    EXPECT_EQ(LongitudeDegreeText(-135), "13.5");
    EXPECT_EQ(LongitudeDegreeText(-5), "0.5");
    EXPECT_EQ(LongitudeDegreeText(-32768), "3276.8");
    EXPECT_EQ(LongitudeSide(-1), kWest);
    EXPECT_EQ(LongitudeSide(0), kEast);
    // What is shown reads back as the same longitude.
    for (int16_t lon : {-3600, -135, -5, 0, 1, 130, 3600})
        EXPECT_EQ(ReadLongitude(LongitudeDegreeText(lon), LongitudeSide(lon) == kWest), lon);
}

TEST(NumberEntry, PidTextStartsWithADigitAndHasNoBlank) {
    EXPECT_TRUE(IsValidPidText("0"));
    EXPECT_TRUE(IsValidPidText("8191"));
    EXPECT_FALSE(IsValidPidText(""));
    EXPECT_FALSE(IsValidPidText(" 12"));
    EXPECT_FALSE(IsValidPidText("1 2"));
    EXPECT_FALSE(IsValidPidText("x12"));
}

}  // namespace
}  // namespace brondavel::app
