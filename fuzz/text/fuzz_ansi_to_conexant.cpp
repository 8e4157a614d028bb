// Edited names, as Windows-1256 bytes and as UTF-8, on their way into a record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "text/conexant_text.h"

using namespace brondavel::text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
    return 0;
}
