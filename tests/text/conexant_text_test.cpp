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

TEST(ConexantTables, LettersAndTheirFormsReadBackAsTheLetter) {
    const std::vector<std::pair<char16_t, char16_t>> bases = {
        {0x0627, 0xFE8D}, {0x0628, 0xFE8F}, {0x064A, 0xFEF1}, {0x067E, 0xFB56},
        {0x06CC, 0xFBFC}, {0x0621, 0x0621}, {0x0660, 0x0660}, {0x0670, 0x0670}};
    for (auto [letter, base] : bases) {
        ASSERT_NE(FindArabicLetter(letter), nullptr) << int(letter);
        EXPECT_EQ(FindArabicLetter(letter)->base, base) << int(letter);
    }
    EXPECT_EQ(FindArabicLetter(0x0679), nullptr);
    EXPECT_EQ(FindArabicLetter(0x0041), nullptr);
    // Every form shaping can choose must decompose to its letter again.
    for (const ArabicLetter& l : kArabicLetters) {
        if (l.base == l.letter) continue;
        const int forms = JoiningClassOf(l.letter) == kJoinsBoth ? 4 : 2;
        for (int f = 0; f < forms; ++f) {
            const PresentationForm* pf = FindPresentationForm(l.base + f);
            ASSERT_NE(pf, nullptr);
            EXPECT_EQ(pf->position, f);
            EXPECT_EQ(Decomposition(*pf), std::u16string(1, l.letter));
        }
    }
}

TEST(ConexantTables, Windows1256) {
    for (int b = 0; b < 256; ++b) EXPECT_EQ(AnsiByteOf(AnsiCodePoint(b)), b);
    EXPECT_EQ(AnsiByteOf(0x00F1), -1);  // n with tilde is not in the code page
    EXPECT_EQ(AnsiByteOf(0x0081), -1);
    EXPECT_EQ(AnsiByteOf(0x06CC), -1);
    EXPECT_EQ(AnsiByteOf(0x1F600), -1);
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
    const std::string stored = Store(kBeh + kAlef + kBeh);
    EXPECT_EQ(stored, Bytes({0xFE, 0x8F, 0xFE, 0x8E, 0xFE, 0x91}));
    EXPECT_EQ(Load(stored), kBeh + kAlef + kBeh);

    ConexantText t(stored, STR_CONEXANT, 16);
    t.ConexantToAnsi();
    EXPECT_EQ(t.unicode(), u"\u0628\u0627\u0628");
}

TEST(ConexantEncoding, ShapingContexts) {
    // Visual order: the last logical letter comes first.
    EXPECT_EQ(UniConexant(Store(kBeh + kBeh + kBeh)), u"\uFE90\uFE92\uFE91");
    EXPECT_EQ(UniConexant(Store(kLam + kAlef)), u"\uFE8E\uFEDF");
    EXPECT_EQ(UniConexant(Store(kAlef + kBeh)), u"\uFE8F\uFE8D");
    EXPECT_EQ(UniConexant(Store(kBeh)), u"\uFE8F");
    // Vowel marks are stored as they are and do not break joining.
    EXPECT_EQ(UniConexant(Store(kBeh + kFatha + kBeh)), u"\uFE90\u064E\uFE91");
    // Tatweel makes its neighbours join.
    EXPECT_EQ(UniConexant(Store(kBeh + kTatweel)), u"\u0640\uFE91");
    EXPECT_EQ(UniConexant(Store(kTatweel + kBeh)), u"\uFE90\u0640");
    // A space ends the word.
    EXPECT_EQ(UniConexant(Store(kBeh + " " + kBeh)), u"\uFE8F \uFE8F");
}

TEST(ConexantEncoding, ZeroWidthJoinersSteerShapingAndAreNotStored) {
    EXPECT_EQ(UniConexant(Store(kBeh + kZwnj + kBeh)), u"\uFE8F\uFE8F");
    EXPECT_EQ(UniConexant(Store(kBeh + kZwj)), u"\uFE91");
    EXPECT_EQ(Store("A\xFD"
                    "B"),
              "AB");  // LRM
}

TEST(ConexantEncoding, LatinNamesKeepTheOrderTheyWereTypedIn) {
    for (const char* name :
         {"ABC 123", "CNN-Int. 1/2", "News (Int)", "Canal+ Sport", "A, B: C?", "ab ", " ab"}) {
        EXPECT_EQ(Store(name), name);
        EXPECT_EQ(Load(name), name);
    }
    // Names stored reordered by earlier versions are shown as the receiver draws them.
    EXPECT_EQ(Load("(Int) News"), "(Int) News");
    EXPECT_EQ(Load(" Sport+Canal"), " Sport+Canal");
    // Only what is stored counts: a letter the receiver lacks becomes a space and
    // leaves no right-to-left character behind.
    EXPECT_EQ(Store("A\x8A(B)"), "A (B)");
    // Latin within Arabic still follows the right-to-left order.
    EXPECT_EQ(UniConexant(Store(kBeh + " (HD)")), u"(HD) \uFE8F");
    EXPECT_EQ(Load(Store(kBeh + " (HD)")), kBeh + " (HD)");
    // Digits keep their order inside right-to-left text.
    EXPECT_EQ(UniConexant(Store(kBeh + " 12 " + kBeh)), u"\uFE8F 12 \uFE8F");
    EXPECT_EQ(Load(Store(kBeh + " 12 " + kBeh)), kBeh + " 12 " + kBeh);
}

TEST(ConexantEncoding, CharactersTheReceiverCannotHold) {
    // U+0679 is Windows-1256 but not a letter the receiver stores.
    EXPECT_EQ(Store("A\x8A"
                    "B"),
              "A B");
    // The euro sign's two bytes would read back as a space and U+00AC.
    EXPECT_EQ(Store("\x80"), " ");
    EXPECT_EQ(Store("A\x99"
                    "B"),
              "A B");  // trade mark sign
    // Such bytes written by others still read as they always did.
    EXPECT_EQ(Load(Bytes({0x20, 0xAC})), " \xAC");
    // A control byte would swallow the next character as a two-byte one.
    EXPECT_EQ(Store("\x01"
                    "AB"),
              " AB");
    EXPECT_EQ(Store("\x09"
                    "A"),
              " A");
    // u-diaeresis and a space would read back as the ligature U+FC20.
    EXPECT_EQ(Store("Men\xFC 1"), "Men  1");
    EXPECT_EQ(Store("\xFC"
                    "A"),
              "\xFC"
              "A");
    EXPECT_EQ(UniConexant(Store(kBeh + " \xFB")), u"\u00FB \uFE8F");
    EXPECT_EQ(UniConexant(Store(kBeh + "\xFB")), u" \uFE8F");
    // Two-byte characters below U+2000 are kept (OE ligature).
    EXPECT_EQ(Store("\x8C"), Bytes({0x01, 0x52}));
    EXPECT_EQ(Load(Bytes({0x01, 0x52})), "\x8C");
}

TEST(ConexantEncoding, EmptyNamesStayEmpty) {
    EXPECT_EQ(Store(""), "");
    EXPECT_EQ(Load(""), "");
    ConexantText other("abc", 1, 16);
    other.AnsiToConexant();
    other.ConexantToAnsi();
    EXPECT_EQ(other.ansi(), "");
    EXPECT_EQ(other.conexant(), "");
    ConexantText cut("AB\0CD", STR_ANSI, 16);
    EXPECT_EQ(cut.ansi(), "AB");
}

TEST(ConexantDecoding, CharacterBoundaries) {
    // 0x01-0x1F starts a pair unless it is the last byte.
    EXPECT_EQ(UniConexant(Bytes({0x06, 0x60, 0x05})), u"\u0660\u0005");
    // A pair outside the presentation ranges is two one-byte characters.
    EXPECT_EQ(UniConexant(Bytes({0xFC, 0x40})), u"\u00FC\u0040");
    EXPECT_EQ(UniConexant(Bytes({0xFB, 0xB2, 0xFB, 0xD3})), u"\u00FB\u00B2\uFBD3");
    EXPECT_EQ(UniConexant(Bytes({0xFE})), u"\u00FE");
    EXPECT_EQ(UniConexant(std::string("AB\0CD", 5)), u"AB");
    // Code units Windows-1256 lacks are dropped on the way back.
    EXPECT_EQ(Load(Bytes({'A', 0x05, 0x41, 'B'})), "AB");
    // Presentation forms without a letter of their own are dropped as well.
    EXPECT_EQ(Load(Bytes({0xFE, 0x73, 'X'})), "X");
}

TEST(ConexantDecoding, InverseKeepsLeftToRightRuns) {
    EXPECT_EQ(Inverse(u""), u"");
    EXPECT_EQ(Inverse(std::u16string(u"a\0b", 3)), u"ba");  // a NUL ends a run
    EXPECT_EQ(Inverse(u"\u0628 abc"), u"abc \u0628");
    EXPECT_EQ(Inverse(u"abc \u0628"), u"\u0628 abc");
    EXPECT_EQ(Inverse(u"a,b"), u"b,a");
    EXPECT_EQ(Inverse(u"(a)"), u"(a)");
    EXPECT_EQ(Inverse(u"1.5-2"), u"1.5-2");
    // The space before the run is left out when right-to-left text precedes it.
    EXPECT_EQ(Inverse(u"\u0628 1"), u"1 \u0628");
    std::u16string long_(5000, u'x');
    EXPECT_EQ(Inverse(long_), long_);
}

TEST(ConexantLimit, CutsWholeCharactersOnly) {
    ConexantText t("ABCDEFGHIJKLMNOPQRST", STR_CONEXANT, 16);
    EXPECT_EQ(t.LimitChar_Conexant(24), "ABCDEFGHIJKLMNOP");

    // Eleven two-byte characters end at byte 21; a twelfth would end at 23.
    std::string pairs;
    for (int i = 0; i < 12; ++i) pairs += Bytes({0xFE, 0x8F});
    EXPECT_EQ(LimitChar_Conexant(pairs, 24, 16), pairs.substr(0, 22));
    // 21 one-byte characters and a pair ending at byte 22 fit exactly.
    const std::string fits = std::string(21, 'a') + Bytes({0xFE, 0x8F});
    EXPECT_EQ(LimitChar_Conexant(fits, 24, 30), fits);
    EXPECT_EQ(LimitChar_Conexant(fits + "b", 24, 30), fits);
    EXPECT_EQ(LimitChar_Conexant("a" + fits, 24, 30), "a" + std::string(21, 'a'));
    // Transponders: 16 bytes with the NUL.
    EXPECT_EQ(LimitChar_Conexant(std::string(20, 'x'), 16, 16), std::string(15, 'x'));
    EXPECT_EQ(LimitChar_Conexant("abc", 1, 16), "");
    EXPECT_EQ(LimitChar_Conexant("abc", 0, 16), "");
    EXPECT_EQ(LimitChar_Conexant("abc", -5, 16), "");
    EXPECT_EQ(LimitChar_Conexant("abc", 24, 0), "");
    EXPECT_EQ(LimitChar_Conexant("abc", 24, -1), "");
    EXPECT_EQ(LimitChar_Conexant("abc", 24, 16), "abc");
}

}  // namespace
}  // namespace brondavel::text
