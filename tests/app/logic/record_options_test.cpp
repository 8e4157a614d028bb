#include "app/logic/record_options.h"

#include <gtest/gtest.h>

namespace brondavel::app {
namespace {

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

}  // namespace
}  // namespace brondavel::app
