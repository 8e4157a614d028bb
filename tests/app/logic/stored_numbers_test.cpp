#include "app/logic/stored_numbers.h"

#include <gtest/gtest.h>

namespace brondavel::app {
namespace {

using Numbers = std::vector<int>;

TEST(StoredNumbers, ReadsSignedNumbersInOrder) {
    EXPECT_EQ(ReadStoredNumbers("(-8,20)", 2), (Numbers{-8, 20}));
    EXPECT_EQ(ReadStoredNumbers("(309,3,312,150)", 4), (Numbers{309, 3, 312, 150}));
    EXPECT_EQ(ReadStoredNumbers("(-1280,-3,10,-0)", 4), (Numbers{-1280, -3, 10, 0}));
}

TEST(StoredNumbers, StopsAtTheCountAndSkipsNoise) {
    EXPECT_EQ(ReadStoredNumbers("(1,2,3)", 2), (Numbers{1, 2}));
    EXPECT_EQ(ReadStoredNumbers("", 2), Numbers{});
    EXPECT_EQ(ReadStoredNumbers("x-,- 7", 2), Numbers{7});
    EXPECT_EQ(ReadStoredNumbers("(99999999999,1)", 2), (Numbers{0x7FFFFFFF, 1}));
}

TEST(StoredNumbers, WritesTheStoredForms) {
    EXPECT_EQ(WritePair(-8, 20), "(-8,20)");
    EXPECT_EQ(WriteRectangle(309, 3, 312, 150), "(309,3,312,150)");
    EXPECT_EQ(ReadStoredNumbers(WriteRectangle(-5, -6, 7, 8), 4), (Numbers{-5, -6, 7, 8}));
}

}  // namespace
}  // namespace brondavel::app
