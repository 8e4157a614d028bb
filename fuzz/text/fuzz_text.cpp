// Names through the receiver text encoding, one target each (TEXT_TARGET):
// 0, stored name bytes from a file or the receiver through every reading path;
// 1, edited names, as Windows-1256 bytes and as UTF-8, on their way into a record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "text/conexant_text.h"

using namespace brondavel::text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#if TEXT_TARGET == 0
    if (size == 0) return 0;
    // First byte: the list's byte limit; the rest: the name field.
    const size_t limit = data[0] % 32;
    const uint8_t* field = data + 1;
    const size_t fieldSize = size - 1;
    NameToDisplay(field, fieldSize, limit);

    const std::string_view bytes(reinterpret_cast<const char*>(field), fieldSize);
    ConexantText t(bytes, STR_CONEXANT, 16);
    t.ConexantToAnsi();
    if (t.ansi().size() > kMaxCodeUnits) abort();
    const std::string cut = t.LimitChar_Conexant(static_cast<int>(limit));
    if (!cut.empty() && cut.size() + 1 > limit) abort();

    // Reading order and back keeps the character count.
    const std::u16string units = UniConexant(bytes);
    if (Inverse(units).size() != units.size()) abort();
#else
    if (size < 2) return 0;
    const int byteLimit = data[0] % 40;
    const int charLimit = data[1] % 24;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    ConexantText t(text, STR_ANSI, charLimit);
    t.AnsiToConexant();
    const std::string stored = t.LimitChar_Conexant(byteLimit);
    if (!stored.empty() && static_cast<int>(stored.size()) > byteLimit - 1) abort();
    if (stored.find('\0') != std::string::npos) abort();

    // Whatever is stored must read back without trouble.
    ConexantText back(stored, STR_CONEXANT, charLimit);
    back.ConexantToAnsi();
    // A name without right-to-left characters is kept as typed: what it reads
    // back as is stored as the same bytes again.
    if (!HasRightToLeft(UniConexant(stored)) &&
        DisplayToName(NameToDisplay(stored), kMaxCodeUnits, kMaxCodeUnits) != stored)
        abort();

    uint8_t field[40];
    std::memset(field, 0xAA, sizeof field);
    StoreName(text, field, static_cast<size_t>(byteLimit), static_cast<size_t>(charLimit));
    if (byteLimit > 0 && std::memchr(field, 0, static_cast<size_t>(byteLimit)) == nullptr) abort();
    NameToDisplay(field, static_cast<size_t>(byteLimit), kListByteLimit);
#endif
    return 0;
}
