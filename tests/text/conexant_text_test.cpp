// The receiver text encoding: tables, the conversion steps and ConexantText.
#include "text/conexant_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "byte_strings.h"
#include "tests/support/build_paths.h"
#include "tests/support/temp_files.h"

namespace brondavel::text {
namespace {

std::string Store(const std::string& ansi, int charLimit = 16) {
    ConexantText t(ansi, STR_ANSI, charLimit);
    t.AnsiToConexant();
    return t.conexant();
}

std::string Load(const std::string& conexant) {
    ConexantText t(conexant, STR_CONEXANT, 16);
    t.ConexantToAnsi();
    return t.ansi();
}

// Windows-1256 bytes of some letters.
const std::string kBeh = "\xC8", kAlef = "\xC7", kLam = "\xE1", kFatha = "\xF3", kTatweel = "\xDC",
                  kZwnj = "\x9D", kZwj = "\x9E";

TEST(ConexantTables, FormsDecomposeToTheirLetterAndTheCodePageRoundTrips) {
    EXPECT_EQ(FindArabicLetter(0x0679), nullptr);
    // Every form shaping can choose must decompose to its letter again.
    for (const ArabicLetter& l : kArabicLetters) {
        ASSERT_EQ(FindArabicLetter(l.letter), &l);
        if (l.base == l.letter) continue;
        const int forms = JoiningClassOf(l.letter) == kJoinsBoth ? 4 : 2;
        for (int f = 0; f < forms; ++f) {
            const PresentationForm* pf = FindPresentationForm(l.base + f);
            ASSERT_NE(pf, nullptr);
            EXPECT_EQ(pf->position, f);
            EXPECT_EQ(Decomposition(*pf), std::u16string(1, l.letter));
        }
    }
    for (int b = 0; b < 256; ++b) EXPECT_EQ(AnsiByteOf(AnsiCodePoint(b)), b);
    // n with tilde, an unassigned C1 code, Farsi yeh and an emoji are not in the code page.
    for (char32_t c : {0x00F1, 0x0081, 0x06CC, 0x1F600}) EXPECT_EQ(AnsiByteOf(c), -1);
}

TEST(ConexantTables, GeneratedSourceIsUpToDate) {
    const std::string ucd = "/usr/share/unicode/UnicodeData.txt";
    if (!std::ifstream(ucd) || std::system("python3 --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 or the Unicode data files are missing";
    const std::string src = buildpaths::SourceDir() + "/text/";
    const testsupport::TempDir scratch;
    const std::string out = scratch / "conexant_tables.cpp";
    const std::string cmd = "python3 " + src + "gen_conexant_tables.py --out " + out;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(testsupport::Slurp(out), testsupport::Slurp(src + "conexant_tables.cpp"));
}

TEST(ConexantEncoding, ArabicIsShapedAndStoredInVisualOrder) {
    EXPECT_EQ(Store(kBeh + kAlef + kBeh), Bytes({0xFE, 0x8F, 0xFE, 0x8E, 0xFE, 0x91}));
    ConexantText t(Store(kBeh + kAlef + kBeh), STR_CONEXANT, 16);
    t.ConexantToAnsi();
    EXPECT_EQ(t.unicode(), u"\u0628\u0627\u0628");

    struct Case {
        std::string ansi;
        std::u16string stored;
        bool readsBack = true;
    };
    const Case cases[] = {
        // The last logical letter comes first.
        {kBeh + kBeh + kBeh, u"\uFE90\uFE92\uFE91"},
        {kLam + kAlef, u"\uFE8E\uFEDF"},
        {kAlef + kBeh, u"\uFE8F\uFE8D"},
        // Vowel marks are stored as they are and do not break joining.
        {kBeh + kFatha + kBeh, u"\uFE90\u064E\uFE91"},
        // Tatweel makes its neighbours join; a space ends the word.
        {kBeh + kTatweel, u"\u0640\uFE91"},
        {kTatweel + kBeh, u"\uFE90\u0640"},
        {kBeh + " " + kBeh, u"\uFE8F \uFE8F"},
        // Zero-width joiners steer shaping and are not stored.
        {kBeh + kZwnj + kBeh, u"\uFE8F\uFE8F", false},
        {kBeh + kZwj, u"\uFE91", false},
        // Latin and digits within Arabic keep their order inside the right-to-left text.
        {kBeh + " (HD)", u"(HD) \uFE8F"},
        {kBeh + " 12 " + kBeh, u"\uFE8F 12 \uFE8F"},
        // u-circumflex would pair with a following byte; at the end it becomes a space.
        {kBeh + " \xFB", u"\u00FB \uFE8F"},
        {kBeh + "\xFB", u" \uFE8F", false},
    };
    for (const Case& c : cases) {
        const std::string stored = Store(c.ansi);
        EXPECT_EQ(UniConexant(stored), c.stored) << c.ansi;
        if (c.readsBack) {
            EXPECT_EQ(Load(stored), c.ansi);
        }
    }
}

TEST(ConexantEncoding, OtherNamesAndWhatTheReceiverCannotHold) {
    // Latin names keep the order they were typed in.
    for (const char* name :
         {"ABC 123", "CNN-Int. 1/2", "News (Int)", "Canal+ Sport", "A, B: C?", "ab ", " ab", ""}) {
        EXPECT_EQ(Store(name), name);
        EXPECT_EQ(Load(name), name);
    }
    const std::pair<std::string, std::string> stored[] = {
        {Bytes({'A', 0xFD, 'B'}), "AB"},  // LRM
        // U+0679 is Windows-1256 but not a letter the receiver stores; it leaves
        // no right-to-left character behind.
        {Bytes({'A', 0x8A, 'B'}), "A B"},
        {Bytes({'A', 0x8A, '(', 'B', ')'}), "A (B)"},
        // The euro sign's two bytes would read back as a space and U+00AC.
        {"\x80", " "},
        // A control byte would swallow the next character as a two-byte one.
        {Bytes({0x01, 'A', 'B'}), " AB"},
        // u-diaeresis and a space would read back as the ligature U+FC20.
        {"Men\xFC 1", "Men  1"},
        {Bytes({0xFC, 'A'}), Bytes({0xFC, 'A'})},
        // Two-byte characters below U+2000 are kept (OE ligature).
        {"\x8C", Bytes({0x01, 0x52})},
    };
    for (const auto& [ansi, bytes] : stored) EXPECT_EQ(Store(ansi), bytes) << ansi;
    const std::pair<std::string, std::string> loaded[] = {
        // Names stored reordered by earlier versions are shown as the receiver draws them.
        {"(Int) News", "(Int) News"},
        // Such bytes written by others still read as they always did.
        {Bytes({0x20, 0xAC}), " \xAC"},
        {Bytes({0x01, 0x52}), "\x8C"},
        // Code units Windows-1256 lacks, and presentation forms without a letter of
        // their own, are dropped on the way back.
        {Bytes({'A', 0x05, 0x41, 'B'}), "AB"},
        {Bytes({0xFE, 0x73, 'X'}), "X"},
    };
    for (const auto& [bytes, ansi] : loaded) EXPECT_EQ(Load(bytes), ansi) << bytes;

    ConexantText other("abc", 1, 16);
    other.AnsiToConexant();
    other.ConexantToAnsi();
    EXPECT_EQ(other.ansi(), "");
    EXPECT_EQ(other.conexant(), "");
}

TEST(ConexantDecoding, CharacterBoundariesAndLeftToRightRuns) {
    // 0x01-0x1F starts a pair unless it is the last byte.
    EXPECT_EQ(UniConexant(Bytes({0x06, 0x60, 0x05})), u"\u0660\u0005");
    // A pair outside the presentation ranges is two one-byte characters.
    EXPECT_EQ(UniConexant(Bytes({0xFC, 0x40})), u"\u00FC\u0040");
    EXPECT_EQ(UniConexant(Bytes({0xFB, 0xB2, 0xFB, 0xD3})), u"\u00FB\u00B2\uFBD3");
    EXPECT_EQ(UniConexant(Bytes({0xFE})), u"\u00FE");
    EXPECT_EQ(UniConexant(std::string("AB\0CD", 5)), u"AB");

    EXPECT_EQ(Inverse(std::u16string(u"a\0b", 3)), u"ba");  // a NUL ends a run
    EXPECT_EQ(Inverse(u"\u0628 abc"), u"abc \u0628");
    EXPECT_EQ(Inverse(u"a,b"), u"b,a");
    EXPECT_EQ(Inverse(u"(a)"), u"(a)");
    EXPECT_EQ(Inverse(u"1.5-2"), u"1.5-2");
    // The space before the run is left out when right-to-left text precedes it.
    EXPECT_EQ(Inverse(u"\u0628 1"), u"1 \u0628");
    EXPECT_EQ(Inverse(std::u16string(5000, u'x')), std::u16string(5000, u'x'));
}

TEST(ConexantLimit, CutsWholeCharactersOnly) {
    ConexantText t("ABCDEFGHIJKLMNOPQRST", STR_CONEXANT, 16);
    EXPECT_EQ(t.LimitChar_Conexant(24), "ABCDEFGHIJKLMNOP");

    std::string pairs;
    for (int i = 0; i < 12; ++i) pairs += Bytes({0xFE, 0x8F});
    const std::string fits = std::string(21, 'a') + Bytes({0xFE, 0x8F});
    // Eleven two-byte characters end at byte 21; a twelfth would end at 23.
    EXPECT_EQ(LimitChar_Conexant(pairs, 24, 16), pairs.substr(0, 22));
    // 21 one-byte characters and a pair ending at byte 22 fit exactly.
    EXPECT_EQ(LimitChar_Conexant(fits, 24, 30), fits);
    EXPECT_EQ(LimitChar_Conexant(fits + "b", 24, 30), fits);
    EXPECT_EQ(LimitChar_Conexant("a" + fits, 24, 30), std::string(22, 'a'));
    // Transponders: 16 bytes with the NUL.
    EXPECT_EQ(LimitChar_Conexant(std::string(20, 'x'), 16, 16), std::string(15, 'x'));
    for (auto [bytes, chars] : {std::pair{1, 16}, {0, 16}, {-5, 16}, {24, 0}, {24, -1}})
        EXPECT_EQ(LimitChar_Conexant("abc", bytes, chars), "") << bytes << "/" << chars;
}

}  // namespace
}  // namespace brondavel::text
