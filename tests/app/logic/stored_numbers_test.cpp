#include "app/logic/stored_numbers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace brondavel::app {
namespace {

using Numbers = std::vector<int>;

TEST(StoredNumbers, ReadsSignedNumbersUpToTheCountSkippingNoise) {
    const std::tuple<const char*, int, Numbers> cases[] = {
        {"(-1280,-3,10,-0)", 4, {-1280, -3, 10, 0}},
        {"(1,2,3)", 2, {1, 2}},
        {"", 2, {}},
        {"x-,- 7", 2, {7}},
        {"(99999999999,1)", 2, {0x7FFFFFFF, 1}}};
    for (const auto& [text, count, numbers] : cases)
        EXPECT_EQ(ReadStoredNumbers(text, count), numbers) << text;
}

TEST(StoredNumbers, WritesTheStoredForms) {
    EXPECT_EQ(WritePair(-8, 20), "(-8,20)");
    EXPECT_EQ(WriteRectangle(309, 3, 312, 150), "(309,3,312,150)");
    EXPECT_EQ(ReadStoredNumbers(WriteRectangle(-5, -6, 7, 8), 4), (Numbers{-5, -6, 7, 8}));
}

}  // namespace
}  // namespace brondavel::app
