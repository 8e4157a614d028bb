// Names between the user interface's UTF-8 and the stored bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "byte_strings.h"
#include "text/conexant_text.h"

namespace brondavel::text {
namespace {

TEST(Utf8Conversion, Windows1256BothWaysAndQuestionMarksForTheRest) {
    EXPECT_EQ(AnsiToUtf8("A\xC7\x80"), "A\u0627\u20AC");
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\uFFFD");
    const std::pair<const char*, const char*> cases[] = {
        {"A\u0627\u20AC\u00E9", "A\xC7\x80\xE9"},
        // n with tilde, Farsi yeh, a presentation form: one mark per character.
        {"\u00F1\u06CC\uFE8F", "???"},
        {"a\U0001F600b", "a?b"},
        // Malformed input: one mark per maximal broken sequence.
        {"\xC3", "?"},
        {"\xE2\x82x", "?x"},
        {"\xC0\xAF", "??"},       // overlong
        {"\xED\xA0\x80", "???"},  // surrogate
        {"\xF5\x80", "??"},
        {"\xFF", "?"},
    };
    for (const auto& [utf8, ansi] : cases) EXPECT_EQ(Utf8ToAnsi(utf8), ansi) << utf8;
}

TEST(NameToDisplay, StaysWithinTheField) {
    // Lost on the way: code units outside Windows-1256.
    EXPECT_EQ(NameToDisplay(Bytes({0x06, 0x61, 'A'})), "A");
    // A full field without a terminator ends at the field's end.
    const std::vector<uint8_t> field(24, 'x');
    EXPECT_EQ(NameToDisplay(field.data(), field.size()), std::string(24, 'x'));
    EXPECT_EQ(NameToDisplay(nullptr, 24), "");
    const uint8_t padded[16] = {'A', 'B', 0, 'C'};
    EXPECT_EQ(NameToDisplay(padded, sizeof padded), "AB");
    // A pair that straddles the limit is left out whole, and so is a pair cut by
    // the field's end.
    std::vector<uint8_t> pairs(16, 'a');
    pairs[15] = 0xFE;
    EXPECT_EQ(NameToDisplay(pairs.data(), 16), std::string(15, 'a') + "\u200F");  // byte FE
    std::vector<uint8_t> straddle(20, 'a');
    straddle[15] = 0x01;  // U+0141, not in Windows-1256
    straddle[16] = 0x41;
    EXPECT_EQ(NameToDisplay(straddle.data(), 20, 16), std::string(15, 'a'));
}

// A list row holds 16 stored bytes. Right-to-left names are stored in visual
// order, so the cut must keep their logical beginning, not their stored one.
TEST(NameToDisplay, RowsShowTheLogicalBeginningOfLongNames) {
    struct Case {
        const char* name;
        const char* row;
    };
    for (const Case& c : {
             Case{"\u0625\u0630\u0627\u0639\u0629 \u0627\u0644\u0642\u0631\u0622\u0646",
                  "\u0625\u0630\u0627\u0639\u0629 \u0627\u0644"},
             Case{"\u0642\u0646\u0627\u0629 \u0627\u0644\u0646\u064A\u0644 1",
                  "\u0642\u0646\u0627\u0629 \u0627\u0644\u0646"},
             Case{"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOP"},  // Latin: the first 16 bytes
             Case{"\u0628\u0627\u0628", "\u0628\u0627\u0628"},
         }) {
        const std::string stored = DisplayToName(c.name, kChannelNameBytes, 23);
        ASSERT_EQ(NameToDisplay(stored), c.name);
        const std::string row = NameToDisplay(stored, kListByteLimit);
        EXPECT_EQ(row, c.row);
        // The row is what storing it would hold in 16 bytes: as much as fits.
        EXPECT_LE(DisplayToName(row, kListByteLimit + 1, 23).size(), kListByteLimit);
    }
    EXPECT_TRUE(IsRightToLeftName("\u0642\u0646\u0627\u0629 1"));
    EXPECT_FALSE(IsRightToLeftName("MBC \u0642\u0646\u0627\u0629"));
    EXPECT_FALSE(IsRightToLeftName("123"));
}

TEST(DisplayToName, LikeTheEditDialogsWithinTheLimits) {
    EXPECT_EQ(DisplayToName("A\u0679B", kChannelNameBytes), "A B");
    EXPECT_EQ(DisplayToName(std::string("AB\0CD", 5), kChannelNameBytes), "AB");
    for (auto [bytes, chars] : {std::pair<size_t, size_t>{1, 16}, {0, 16}, {24, 0}})
        EXPECT_EQ(DisplayToName("ABC", bytes, chars), "");
    // Long names keep their beginning.
    EXPECT_EQ(DisplayToName("ABCDEFGHIJKLMNOPQRST", kTransponderNameBytes), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(DisplayToName("ABCDEFGHIJKLMNOPQRST", kSatelliteNameBytes, 19),
              "ABCDEFGHIJKLMNOPQRS");
    // Twelve BEHs do not fit 23 bytes; eleven are kept, the last one final.
    std::string behs;
    for (int i = 0; i < 12; ++i) behs += "\u0628";
    std::u16string expected = u"\uFE90";
    for (int i = 0; i < 9; ++i) expected += u"\uFE92";
    EXPECT_EQ(UniConexant(DisplayToName(behs, kChannelNameBytes)), expected + u"\uFE91");
    // "Al Jazeera" cut: the beginning of the name stays.
    const std::string name =
        "\u0627\u0644\u062C\u0632\u064A\u0631\u0629 \u0627\u0644\u0625"
        "\u062E\u0628\u0627\u0631\u064A\u0629";
    EXPECT_EQ(NameToDisplay(DisplayToName(name, kChannelNameBytes)),
              "\u0627\u0644\u062C\u0632\u064A\u0631\u0629 \u0627\u0644\u0625\u062E");
}

TEST(DisplayToName, StoreNameWritesTheFieldOnly) {
    uint8_t field[16 + 4];
    std::memset(field, 0xEE, sizeof field);
    StoreName("ABCDEFGHIJKLMNOPQRSTUVWXYZ", field, 16);
    const std::string full = std::string("ABCDEFGHIJKLMNO", 16) + "\xEE\xEE\xEE\xEE";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), sizeof field), full);
    StoreName("AB", field, 16);  // bytes after the terminator are left alone
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 5), std::string("AB\0DE", 5));
    StoreName("AB", field, 0);
    StoreName("AB", nullptr, 16);
}

// Names of the receiver's Arabic letters (as far as Windows-1256 holds them) and
// spaces come back exactly: stored, they are plain reversals, and each shaped
// form decomposes to its letter.
TEST(NameProperties, ArabicLettersAndSpacesRoundTrip) {
    std::vector<std::string> letters;  // those Windows-1256 also holds
    for (const ArabicLetter& l : kArabicLetters)
        if (AnsiByteOf(l.letter) >= 0) letters.push_back(Utf16ToUtf8(std::u16string(1, l.letter)));
    ASSERT_EQ(letters.size(), 53u);
    std::mt19937 rng(1256);
    for (int trial = 0; trial < 2000; ++trial) {
        const int length = 1 + static_cast<int>(rng() % 30);
        std::string name;
        for (int i = 0; i < length; ++i)
            name += (rng() % 5 == 0) ? std::string(" ") : letters[rng() % letters.size()];
        const std::string stored = DisplayToName(name, 1000, 1000);
        ASSERT_EQ(NameToDisplay(stored), name) << "trial " << trial;
        ConexantText in(Utf8ToAnsi(name), STR_ANSI, 1000);
        in.AnsiToConexant();
        ASSERT_EQ(in.conexant(), stored);
    }
}

}  // namespace
}  // namespace brondavel::text
