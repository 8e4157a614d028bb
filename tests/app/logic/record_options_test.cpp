#include "app/logic/record_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brondavel::app {
namespace {

std::vector<std::string> Labels(OptionTable table) {
    std::vector<std::string> labels;
    for (const OptionRow& row : table) labels.push_back(row.label);
    return labels;
}

TEST(RecordOptions, TablesKeepTheReceiversQuirks) {
    EXPECT_EQ(Labels(kEastWestOptions), (std::vector<std::string>{"East", "Wast"}));
    EXPECT_EQ(kEastWestOptions[1].value, kWest);
    // FEC 4 does not exist: 5/6 follows 3/4 directly.
    EXPECT_EQ(FirstRowWithValue(kFecOptions, 4), -1);
    EXPECT_EQ(FirstRowWithValue(kFecOptions, 5), 4);
    EXPECT_EQ(kFecOptions.size(), 7u);
    // LNB power lists ON before 13V and 18V.
    EXPECT_EQ(Labels(kLnbPowerOptions), (std::vector<std::string>{"OFF", "ON", "13V", "18V"}));
    EXPECT_EQ(kAudioLanguageOptions.size(), 26u);
}

TEST(RecordOptions, LanguageLookupsTakeTheFirstMatch) {
    EXPECT_EQ(LanguageName(12), "POLISH");
    EXPECT_EQ(LanguageValue(LanguageName(12)), 8);
    EXPECT_EQ(LanguageName(0), "ENGLISH");
    EXPECT_EQ(LanguageName(24), "ESTONIAN");
    EXPECT_EQ(LanguageName(25), "UNKNOW");
    EXPECT_EQ(LanguageName(255), "UNKNOW");
    EXPECT_EQ(LanguageValue("UNKNOW"), 127);
    EXPECT_EQ(LanguageValue("polish"), 127);  // exact comparison only
    EXPECT_EQ(LanguageValue(""), 127);
}

TEST(RecordOptions, DiseqcPortsFollowTheVersion) {
    const OptionTable v10 = DiseqcPortOptions(0), v11 = DiseqcPortOptions(1);
    ASSERT_EQ(v10.size(), 5u);
    ASSERT_EQ(v11.size(), 17u);
    EXPECT_STREQ(v10[4].label, "P - 4");
    EXPECT_STREQ(v11[16].label, "P - 16");
    EXPECT_EQ(v11[16].value, 16);
    EXPECT_EQ(DiseqcPortOptions(7).size(), 5u);
}

TEST(RecordOptions, LnbTypeDecidesPresetsAndEnabling) {
    const auto single = PresetForLnbType(kLnbSingle);
    const auto universal = PresetForLnbType(kLnbUniversal);
    const auto ocs = PresetForLnbType(kLnbOcs);
    ASSERT_TRUE(single && universal && ocs);
    EXPECT_EQ(single->highFreq, 5150);
    EXPECT_EQ(single->lowFreq, 5150);
    EXPECT_EQ(single->tone, kToneOff);
    EXPECT_EQ(universal->highFreq, 10600);
    EXPECT_EQ(universal->lowFreq, 9750);
    EXPECT_EQ(universal->tone, kToneAuto);
    EXPECT_EQ(ocs->lowFreq, 5750);
    EXPECT_FALSE(PresetForLnbType(3));

    EXPECT_TRUE(EnablingForLnbType(kLnbSingle).tone);
    EXPECT_FALSE(EnablingForLnbType(kLnbSingle).lowFreq);
    EXPECT_FALSE(EnablingForLnbType(kLnbUniversal).tone);
    EXPECT_TRUE(EnablingForLnbType(kLnbUniversal).lowFreq);
    EXPECT_TRUE(EnablingForLnbType(kLnbOcs).tone && EnablingForLnbType(kLnbOcs).lowFreq);
    // A stored type without a row locks nothing away.
    EXPECT_TRUE(EnablingForLnbType(-1).tone && EnablingForLnbType(-1).lowFreq);
}

}  // namespace
}  // namespace brondavel::app
