// The receiver's text encoding of names ("Conexant") and its conversion from and
// to the Windows-1256 text the user edits.
//
// The receiver draws names byte by byte, left to right, and can neither shape
// Arabic nor reorder right-to-left text, so names with right-to-left characters
// are stored shaped (each Arabic letter as its contextual presentation form) and
// in visual order. Other names are stored, and read, as they are typed. A stored
// character is one byte, or two bytes (high byte first) for the code units
// U+0100-U+1FFF and for the presentation forms U+FB50-U+FBB1, U+FBD3-U+FC3F and
// U+FE70-U+FEFF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "text/conexant_tables.h"

namespace brondavel::text {

enum StrKind : int32_t {
    STR_ANSI = 0,
    STR_CONEXANT = 2,
};

// Longest text, in code units, a conversion works on; longer texts are cut.
inline constexpr size_t kMaxCodeUnits = 1024;

// ---- table look-ups -------------------------------------------------------

// The code point of a Windows-1256 byte.
char16_t AnsiCodePoint(uint8_t byte);
// The Windows-1256 byte of a code point, or -1 when the code page lacks it.
int AnsiByteOf(char32_t code);
// Joining class used by shaping (see JoiningClass in conexant_tables.h).
uint8_t JoiningClassOf(char16_t code);
// The letter-table entry of an Arabic letter, or nullptr.
const ArabicLetter* FindArabicLetter(char16_t code);
// The presentation-form entry of a code unit, or nullptr.
const PresentationForm* FindPresentationForm(char16_t code);
std::u16string_view Decomposition(const PresentationForm& form);

// ---- the conversion steps -------------------------------------------------

// Length in bytes (1 or 2) of the stored character that starts at text[pos].
size_t ConexantCharLength(std::string_view text, size_t pos);

// Windows-1256 bytes -> code units (stops at a NUL byte).
std::u16string Ansi2Uniocode(std::string_view ansi);
// Code units -> Windows-1256 bytes; code units the code page lacks are dropped.
std::string Uniocode2Ansi(std::u16string_view unicode);
// Logical code units -> stored bytes: shaping, visual order (for right-to-left
// text), writing.
std::string Uniocode2Conexant(std::u16string_view unicode);
// Stored bytes -> the code units they hold (stops at a NUL byte).
std::u16string UniConexant(std::string_view conexant);
// Reverses text for right-to-left display, keeping left-to-right runs in order.
std::u16string Inverse(std::u16string_view text);
// Hebrew, Arabic and the scripts up to U+08FF, and the Arabic presentation forms.
bool IsRightToLeft(char16_t c);
bool HasRightToLeft(std::u16string_view text);
// Inverse for text with right-to-left characters; any other text keeps its order
// (the reordering would scramble brackets and punctuation between Latin words).
std::u16string InverseIfRightToLeft(std::u16string_view text);
// Presentation forms -> the letters they stand for (input in reading order).
std::u16string Conexant2Uniocode(std::u16string_view text);
// Cuts stored bytes to at most charLimit characters and byteLimit - 1 bytes
// (room for the terminating NUL), never splitting a character.
std::string LimitChar_Conexant(std::string_view conexant, int byteLimit, int charLimit);

// ---- the converter object -------------------------------------------------

// Receives each step's name and its result (byte forms as they are, code-unit
// forms as UTF-8).
using TraceHook = std::function<void(std::string_view step, std::string_view text)>;

class ConexantText {
  public:
    // kind STR_ANSI stores text as `ansi`, STR_CONEXANT as `conexant`, any other
    // kind stores nothing. The text ends at its first NUL byte.
    ConexantText(std::string_view text, int kind, int charLimit, TraceHook trace = {});
    virtual ~ConexantText();

    ConexantText(const ConexantText&) = delete;
    ConexantText& operator=(const ConexantText&) = delete;

    // ansi -> conexant, when ansi is not empty.
    void AnsiToConexant();
    // conexant -> ansi, when conexant is not empty.
    void ConexantToAnsi();
    // Cuts conexant to byteLimit (counting the NUL) and charLimit; returns it.
    const std::string& LimitChar_Conexant(int byteLimit);

    int kind() const { return kind_; }
    int charLimit() const { return charLimit_; }
    const std::string& ansi() const { return ansi_; }
    const std::u16string& unicode() const { return unicode_; }
    const std::string& conexant() const { return conexant_; }

  private:
    void Trace(const char* step, std::string_view bytes) const;
    void Trace(const char* step, std::u16string_view units) const;

    int32_t kind_;
    std::string ansi_;
    std::u16string unicode_;
    std::string conexant_;
    int32_t charLimit_;
    TraceHook trace_;
};

// ---- Unicode text for the user interface ----------------------------------

// Name fields of the records: bytes including the terminating NUL.
inline constexpr size_t kSatelliteNameBytes = 24;
inline constexpr size_t kTransponderNameBytes = 16;
inline constexpr size_t kChannelNameBytes = 24;
inline constexpr size_t kFavoriteNameBytes = 16;
// Characters the edit boxes accept.
inline constexpr size_t kSatelliteNameChars = 19;
inline constexpr size_t kTransponderNameChars = 15;
inline constexpr size_t kChannelNameChars = 15;
// Character limit the edit dialogs store with.
inline constexpr size_t kEditCharLimit = 16;
// Bytes of a name the list rows show.
inline constexpr size_t kListByteLimit = 16;

// Windows-1256 bytes -> UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// UTF-8 -> Windows-1256 bytes. Characters the code page lacks, and malformed
// UTF-8, become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
// Code units -> UTF-8 (unpaired surrogates become U+FFFD).
std::string Utf16ToUtf8(std::u16string_view units);

// A stored name as display text (UTF-8). The name ends at its first NUL byte or
// at the end of the field. byteLimit, when not 0, shows only as much as that
// many stored bytes hold, from the name's logical beginning: a Latin name is
// cut after its first bytes, a right-to-left one (stored in visual order) so
// that its first letters stay.
std::string NameToDisplay(const uint8_t* stored, size_t fieldSize, size_t byteLimit = 0);
std::string NameToDisplay(std::string_view stored, size_t byteLimit = 0);

// True when a display name reads right to left: its first letter is Arabic
// or Hebrew (digits and punctuation do not decide).
bool IsRightToLeftName(std::string_view utf8);

// UTF-8 text from the user as the bytes to store: at most byteLimit - 1 bytes
// (the NUL is not included) and charLimit characters. A name too long is cut at
// its logical end before shaping, so an Arabic name keeps its beginning and its
// last kept letter is shaped as the last one.
std::string DisplayToName(std::string_view utf8, size_t byteLimit,
                          size_t charLimit = kEditCharLimit);
// DisplayToName written into a record's name field followed by a NUL; the bytes
// after the NUL are left as they were. A field of size 0 is left alone.
void StoreName(std::string_view utf8, uint8_t* field, size_t fieldSize,
               size_t charLimit = kEditCharLimit);

}  // namespace brondavel::text
