#include "text/conexant_text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace brondavel::text {

namespace {

constexpr char16_t kSpace = u' ';

bool IsArabicBlock(char16_t c) {
    return c >= 0x0600 && c <= 0x06FF;
}

// Zero-width format characters of Windows-1256 (ZWNJ, ZWJ, LRM, RLM): they steer
// shaping but the receiver can neither store nor draw them.
bool IsZeroWidthFormat(char16_t c) {
    return c >= 0x200C && c <= 0x200F;
}

// Two-byte characters the reader accepts besides U+0100-U+1FFF.
bool IsStoredPair(char16_t c) {
    return (c >= 0xFB50 && c <= 0xFBB1) || (c >= 0xFBD3 && c <= 0xFC3F) ||
           (c >= 0xFE70 && c <= 0xFEFF);
}

bool JoinsForward(uint8_t cls) {
    return cls == kJoinsNext || cls == kJoinsBoth || cls == kJoinCausing;
}

bool JoinsBackward(uint8_t cls) {
    return cls == kJoinsPrevious || cls == kJoinsBoth || cls == kJoinCausing;
}

// Contextual form: 0 isolated, 1 final, 2 initial, 3 medial.
int ChooseForm(uint8_t prev, uint8_t cur, uint8_t next) {
    if (cur == kTransparent) return 0;
    if (JoinsForward(prev) && cur == kJoinsPrevious) return 1;
    if (cur == kJoinsNext && JoinsBackward(next)) return 2;
    if (cur == kJoinsBoth) {
        if (JoinsForward(prev)) return JoinsBackward(next) ? 3 : 1;
        if (JoinsBackward(next)) return 2;
    }
    return 0;
}

// Whether a code unit reads back as itself once written. Not so: control
// characters (their byte would start a two-byte character), a zero low byte (it
// would end the name) and anything above U+1FFF outside the presentation forms
// (the euro sign's bytes 20 AC would read back as two other characters).
bool IsStorable(char16_t c) {
    const unsigned hi = c >> 8;
    const unsigned lo = c & 0xFF;
    if (hi == 0) return c >= 0x20;
    return lo != 0 && (hi < 0x20 || IsStoredPair(c));
}

// Appends one code unit as the receiver stores it.
void WriteCodeUnit(char16_t c, std::string& out) {
    if (!IsStorable(c)) {
        out.push_back(' ');
    } else if (c <= 0xFF) {
        out.push_back(static_cast<char>(c));
    } else {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
    }
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 character at s[pos]; sets len to the bytes consumed.
// Returns -1 for a malformed sequence (len then covers its maximal valid prefix).
int32_t DecodeUtf8(std::string_view s, size_t pos, size_t& len) {
    const auto b0 = static_cast<uint8_t>(s[pos]);
    len = 1;
    if (b0 < 0x80) return b0;
    int need;
    char32_t cp;
    uint8_t lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return -1;
    }
    for (int k = 0; k < need; ++k) {
        if (pos + len >= s.size()) return -1;
        const auto b = static_cast<uint8_t>(s[pos + len]);
        if (b < lo || b > hi) return -1;
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
        ++len;
    }
    return static_cast<int32_t>(cp);
}

int ClampToInt(size_t v) {
    return v > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(v);
}

// The name bytes of a stored text, cut at a character boundary to byteLimit.
std::string_view CutStored(std::string_view name, size_t byteLimit) {
    if (byteLimit == 0 || name.size() <= byteLimit) return name;
    size_t pos = 0;
    while (pos < name.size()) {
        const size_t len = ConexantCharLength(name, pos);
        if (pos + len > byteLimit) break;
        pos += len;
    }
    return name.substr(0, pos);
}

}  // namespace

// ---- table look-ups -------------------------------------------------------

char16_t AnsiCodePoint(uint8_t byte) {
    return byte < 0x80 ? static_cast<char16_t>(byte) : kWindows1256High[byte - 0x80];
}

int AnsiByteOf(char32_t code) {
    if (code < 0x80) return static_cast<int>(code);
    if (code <= 0xFF) return kWindows1256High[code - 0x80] == code ? static_cast<int>(code) : -1;
    if (code > 0xFFFF) return -1;
    const AnsiByte* begin = kWindows1256Reverse;
    const AnsiByte* end = kWindows1256Reverse + kWindows1256ReverseCount;
    const AnsiByte* it = std::lower_bound(begin, end, code,
                                          [](const AnsiByte& e, char32_t c) { return e.code < c; });
    return (it != end && it->code == code) ? it->byte : -1;
}

uint8_t JoiningClassOf(char16_t code) {
    if (code >= 0x0620 && code <= 0x06FF) return kJoiningClass[code - 0x0620];
    // ZWJ joins its neighbours; ZWNJ (like everything else) keeps them apart.
    if (code == 0x200D) return kJoinCausing;
    return kNonJoining;
}

const ArabicLetter* FindArabicLetter(char16_t code) {
    if (!IsArabicBlock(code)) return nullptr;
    const int index = kArabicLetterIndex[code - 0x0600];
    return index < 0 ? nullptr : &kArabicLetters[index];
}

const PresentationForm* FindPresentationForm(char16_t code) {
    int slot;
    if (code >= 0xFB50 && code <= 0xFDFF) {
        slot = code - 0xFB50;
    } else if (code >= 0xFE70 && code <= 0xFEFF) {
        slot = (0xFE00 - 0xFB50) + (code - 0xFE70);
    } else {
        return nullptr;
    }
    const int index = kPresentationIndex[slot];
    return index < 0 ? nullptr : &kPresentationForms[index];
}

std::u16string_view Decomposition(const PresentationForm& form) {
    return std::u16string_view(kDecompositionPool + form.offset, form.length);
}

// ---- the conversion steps -------------------------------------------------

size_t ConexantCharLength(std::string_view text, size_t pos) {
    if (pos + 1 >= text.size()) return 1;
    const auto b0 = static_cast<uint8_t>(text[pos]);
    const auto b1 = static_cast<uint8_t>(text[pos + 1]);
    if (b0 >= 0x01 && b0 <= 0x1F) return 2;
    return IsStoredPair(static_cast<char16_t>((b0 << 8) | b1)) ? 2 : 1;
}

std::u16string Ansi2Uniocode(std::string_view ansi) {
    std::u16string out;
    out.reserve(std::min(ansi.size(), kMaxCodeUnits));
    for (char ch : ansi) {
        if (ch == '\0' || out.size() == kMaxCodeUnits) break;
        out.push_back(AnsiCodePoint(static_cast<uint8_t>(ch)));
    }
    return out;
}

std::string Uniocode2Ansi(std::u16string_view unicode) {
    std::string out;
    out.reserve(std::min(unicode.size(), kMaxCodeUnits));
    for (size_t i = 0; i < unicode.size() && i < kMaxCodeUnits; ++i) {
        const char16_t c = unicode[i];
        if (c == 0) break;
        if (c <= 0xFF) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const int b = AnsiByteOf(c);
        if (b >= 0) out.push_back(static_cast<char>(b));
    }
    return out;
}

std::string Uniocode2Conexant(std::u16string_view unicode) {
    size_t n = 0;
    while (n < unicode.size() && n < kMaxCodeUnits && unicode[n] != 0) ++n;
    if (n == 0) return {};

    // Characters the receiver cannot store become spaces before shaping.
    std::u16string letters(n, kSpace);
    std::u16string bases(n, kSpace);
    std::vector<uint8_t> cls(n);
    for (size_t i = 0; i < n; ++i) {
        const char16_t c = unicode[i];
        if (IsArabicBlock(c)) {
            if (const ArabicLetter* entry = FindArabicLetter(c)) {
                letters[i] = entry->letter;
                bases[i] = entry->base;
            }
        } else if (IsStorable(c) || IsZeroWidthFormat(c)) {
            letters[i] = bases[i] = c;
        }
        cls[i] = JoiningClassOf(letters[i]);
    }

    // Neighbours' classes, skipping transparent marks; the text's ends do not join.
    std::vector<uint8_t> prev(n), next(n);
    uint8_t last = kNonJoining;
    for (size_t i = 0; i < n; ++i) {
        prev[i] = last;
        if (cls[i] != kTransparent) last = cls[i];
    }
    last = kNonJoining;
    for (size_t i = n; i-- > 0;) {
        next[i] = last;
        if (cls[i] != kTransparent) last = cls[i];
    }

    std::u16string shaped;
    shaped.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (IsZeroWidthFormat(letters[i])) continue;
        if (IsArabicBlock(letters[i])) {
            shaped.push_back(
                static_cast<char16_t>(bases[i] + ChooseForm(prev[i], cls[i], next[i])));
        } else {
            shaped.push_back(letters[i]);
        }
    }

    const std::u16string visual = InverseIfRightToLeft(shaped);
    bool lastWasSingle = false;
    std::string out;
    out.reserve(visual.size() * 2);
    for (size_t i = 0; i < visual.size(); ++i) {
        const size_t start = out.size();
        WriteCodeUnit(visual[i], out);
        // A one-byte character that pairs up with the next byte would read back
        // as a presentation form (u-diaeresis before a space or digit, u-circumflex
        // before most letters): store a space instead.
        if (lastWasSingle && ConexantCharLength(out, start - 1) == 2) out[start - 1] = ' ';
        lastWasSingle = out.size() - start == 1;
    }
    return out;
}

std::u16string UniConexant(std::string_view conexant) {
    std::u16string out;
    out.reserve(conexant.size());
    const size_t end = std::min(conexant.find('\0'), conexant.size());
    const std::string_view text = conexant.substr(0, end);
    for (size_t pos = 0; pos < text.size();) {
        const auto b0 = static_cast<uint8_t>(text[pos]);
        if (ConexantCharLength(text, pos) == 2) {
            const auto b1 = static_cast<uint8_t>(text[pos + 1]);
            out.push_back(static_cast<char16_t>((b0 << 8) | b1));
            pos += 2;
        } else {
            out.push_back(b0);
            pos += 1;
        }
    }
    return out;
}

std::u16string Inverse(std::u16string_view in) {
    // Characters that continue a left-to-right run.
    auto inRun = [](char16_t c) {
        return c == 0x20 || (c >= 0x2D && c <= 0x39) || (c >= 0x40 && c <= 0x5FF);
    };
    std::u16string out;
    out.reserve(in.size());
    for (ptrdiff_t i = static_cast<ptrdiff_t>(in.size()) - 1; i >= 0;) {
        const char16_t c = in[i];
        if (c == 0) {
            --i;
        } else if (c == u'(' || c == u')') {
            out.push_back(c == u'(' ? u')' : u'(');
            --i;
        } else if (c <= 0x2F || (c >= 0x3A && c <= 0x3F) || c >= 0x600) {
            out.push_back(c);
            --i;
        } else {
            ptrdiff_t j = i;
            while (j >= 0 && inRun(in[j])) --j;
            ptrdiff_t first = j + 1;
            // A space between right-to-left text and the run belongs to neither.
            if (j >= 0 && in[j] >= 0x600 && in[first] == kSpace) ++first;
            out.append(in.substr(first, i - first + 1));
            i = first - 1;
        }
    }
    return out;
}

bool IsRightToLeft(char16_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB50 && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFF);
}

bool HasRightToLeft(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), IsRightToLeft);
}

std::u16string InverseIfRightToLeft(std::u16string_view text) {
    if (HasRightToLeft(text)) return Inverse(text);
    // Left-to-right text is kept as typed; only a NUL is left out, as Inverse does.
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c != 0) out.push_back(c);
    return out;
}

std::u16string Conexant2Uniocode(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (const PresentationForm* form = FindPresentationForm(c)) {
            out.append(Decomposition(*form));
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string LimitChar_Conexant(std::string_view conexant, int byteLimit, int charLimit) {
    const size_t end = std::min(conexant.find('\0'), conexant.size());
    const std::string_view text = conexant.substr(0, end);
    // Last byte index a character may end at; below 0 nothing fits.
    const long long lastByte = static_cast<long long>(byteLimit) - 2;
    const long long maxChars = std::max(charLimit, 0);
    size_t pos = 0;
    long long chars = 0;
    while (pos < text.size()) {
        const size_t len = ConexantCharLength(text, pos);
        if (static_cast<long long>(pos + len - 1) > lastByte || chars + 1 > maxChars) break;
        pos += len;
        ++chars;
    }
    return std::string(text.substr(0, pos));
}

// ---- the converter object -------------------------------------------------

ConexantText::ConexantText(std::string_view text, int kind, int charLimit, TraceHook trace)
    : kind_(kind), charLimit_(charLimit), trace_(std::move(trace)) {
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    if (kind == STR_ANSI) {
        ansi_.assign(text);
        Trace("Init(STR_ANSI)", ansi_);
    } else if (kind == STR_CONEXANT) {
        conexant_.assign(text);
        Trace("Init(STR_CONEXANT)", conexant_);
    }
}

ConexantText::~ConexantText() = default;

void ConexantText::AnsiToConexant() {
    if (ansi_.empty()) return;
    unicode_ = Ansi2Uniocode(ansi_);
    Trace("Ansi2Uniocode", unicode_);
    if (unicode_.empty()) return;
    conexant_ = Uniocode2Conexant(unicode_);
    Trace("Uniocode2Conexant", conexant_);
}

void ConexantText::ConexantToAnsi() {
    if (conexant_.empty()) return;
    const std::u16string units = UniConexant(conexant_);
    Trace("UniConexant", units);
    const std::u16string reading = InverseIfRightToLeft(units);
    Trace("Inverse", reading);
    unicode_ = Conexant2Uniocode(reading);
    Trace("Conexant2Uniocode", unicode_);
    ansi_ = Uniocode2Ansi(unicode_);
    Trace("Uniocode2Ansi", ansi_);
}

const std::string& ConexantText::LimitChar_Conexant(int byteLimit) {
    conexant_ = text::LimitChar_Conexant(conexant_, byteLimit, charLimit_);
    Trace("LimitChar_Conexant", conexant_);
    return conexant_;
}

void ConexantText::Trace(const char* step, std::string_view bytes) const {
    if (trace_) trace_(step, bytes);
}

void ConexantText::Trace(const char* step, std::u16string_view units) const {
    if (trace_) trace_(step, Utf16ToUtf8(units));
}

// ---- Unicode text for the user interface ----------------------------------

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() * 2);
    for (char ch : ansi) AppendUtf8(AnsiCodePoint(static_cast<uint8_t>(ch)), out);
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        size_t len = 1;
        const int32_t cp = DecodeUtf8(utf8, pos, len);
        const int b = cp < 0 ? -1 : AnsiByteOf(static_cast<char32_t>(cp));
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
        pos += len;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string out;
    out.reserve(units.size() * 3);
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00), out);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            AppendUtf8(0xFFFD, out);
        } else {
            AppendUtf8(c, out);
        }
    }
    return out;
}

std::string NameToDisplay(std::string_view stored, size_t byteLimit) {
    const std::string_view whole = stored.substr(0, std::min(stored.find('\0'), stored.size()));
    const std::u16string units = UniConexant(whole);
    if (!HasRightToLeft(units)) {
        const std::string_view name = CutStored(whole, byteLimit);
        if (name.empty()) return {};
        return AnsiToUtf8(Uniocode2Ansi(Conexant2Uniocode(UniConexant(name))));
    }
    // Stored in visual order, a right-to-left name begins at its stored end:
    // the cut takes the logical beginning, as much as byteLimit bytes hold.
    const std::u16string logical = Conexant2Uniocode(Inverse(units));
    size_t end = logical.size();
    if (byteLimit != 0 && whole.size() > byteLimit)
        while (end > 0 &&
               Uniocode2Conexant(std::u16string_view(logical).substr(0, end)).size() > byteLimit)
            --end;
    return AnsiToUtf8(Uniocode2Ansi(std::u16string_view(logical).substr(0, end)));
}

bool IsRightToLeftName(std::string_view utf8) {
    const std::u16string units = Ansi2Uniocode(Utf8ToAnsi(utf8));
    for (char16_t c : units) {
        if (IsRightToLeft(c)) return true;
        const bool latinLetter =
            (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= 0xC0 && c < 0x0590);
        if (latinLetter) return false;
    }
    return false;
}

std::string NameToDisplay(const uint8_t* stored, size_t fieldSize, size_t byteLimit) {
    if (stored == nullptr || fieldSize == 0) return {};
    const size_t len = strnlen(reinterpret_cast<const char*>(stored), fieldSize);
    return NameToDisplay(std::string_view(reinterpret_cast<const char*>(stored), len), byteLimit);
}

std::string DisplayToName(std::string_view utf8, size_t byteLimit, size_t charLimit) {
    if (byteLimit <= 1 || charLimit == 0) return {};
    utf8 = utf8.substr(0, std::min(utf8.find('\0'), utf8.size()));
    const std::u16string logical = Ansi2Uniocode(Utf8ToAnsi(utf8));

    // Each code unit but the zero-width ones becomes one stored character, so no
    // longer prefix than this can fit.
    const size_t maxChars = std::min(charLimit, byteLimit - 1);
    size_t end = 0;
    for (size_t chars = 0; end < logical.size(); ++end) {
        if (IsZeroWidthFormat(logical[end])) continue;
        if (chars == maxChars) break;
        ++chars;
    }
    // Two-byte characters may still overflow the bytes: drop letters from the end.
    std::string stored = Uniocode2Conexant(std::u16string_view(logical).substr(0, end));
    while (stored.size() > byteLimit - 1 && end > 0) {
        --end;
        stored = Uniocode2Conexant(std::u16string_view(logical).substr(0, end));
    }
    return LimitChar_Conexant(stored, ClampToInt(byteLimit), ClampToInt(charLimit));
}

void StoreName(std::string_view utf8, uint8_t* field, size_t fieldSize, size_t charLimit) {
    if (field == nullptr || fieldSize == 0) return;
    const std::string name = DisplayToName(utf8, fieldSize, charLimit);
    std::memcpy(field, name.data(), name.size());
    field[name.size()] = 0;
}

}  // namespace brondavel::text
