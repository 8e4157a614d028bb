// Constant tables of the receiver text encoding. The definitions are generated
// by gen_conexant_tables.py into conexant_tables.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brondavel::text {

// Windows-1256 bytes 0x80-0xFF as code points; bytes below 0x80 are ASCII.
extern const char16_t kWindows1256High[128];

// Code points above U+00FF that Windows-1256 holds, sorted by code point.
struct AnsiByte {
    char16_t code;
    uint8_t byte;
};
extern const AnsiByte kWindows1256Reverse[];
extern const size_t kWindows1256ReverseCount;

// The Arabic letters the receiver stores, with the form shaping starts from.
struct ArabicLetter {
    char16_t letter;
    char16_t base;  // isolated presentation form, or the letter itself
    uint8_t code;   // the receiver's one-byte code (unused by the conversions)
};
inline constexpr size_t kArabicLetterCount = 66;
extern const ArabicLetter kArabicLetters[kArabicLetterCount];
// Index into kArabicLetters for U+0600-U+06FF, -1 for characters not stored.
extern const int8_t kArabicLetterIndex[256];

// Joining classes of U+0620-U+06FF.
enum JoiningClass : uint8_t {
    kJoinsPrevious = 0,
    kJoinsNext = 1,
    kJoinsBoth = 2,
    kJoinCausing = 3,
    kNonJoining = 4,
    kTransparent = 5,
};
extern const uint8_t kJoiningClass[224];

// A presentation form of U+FB50-U+FDFF or U+FE70-U+FEFF and what it stands for.
struct PresentationForm {
    char16_t code;
    uint8_t position;  // 0 isolated, 1 final, 2 initial, 3 medial
    uint16_t offset;   // into kDecompositionPool
    uint8_t length;    // code units, at most 20; 0 for characters that draw nothing
};
extern const char16_t kDecompositionPool[];
extern const PresentationForm kPresentationForms[];
extern const size_t kPresentationFormCount;
// Index into kPresentationForms for U+FB50-U+FDFF then U+FE70-U+FEFF, -1 for none.
extern const int16_t kPresentationIndex[832];

}  // namespace brondavel::text
