// Stored name bytes from a file or the receiver, through every reading path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/conexant_text.h"

using namespace brondavel::text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // First byte: the list's byte limit; the rest: the name field.
    const size_t limit = data[0] % 32;
    const uint8_t* field = data + 1;
    const size_t fieldSize = size - 1;
    const std::string shown = NameToDisplay(field, fieldSize, limit);

    const std::string_view bytes(reinterpret_cast<const char*>(field), fieldSize);
    ConexantText t(bytes, STR_CONEXANT, 16);
    t.ConexantToAnsi();
    if (t.ansi().size() > kMaxCodeUnits) abort();
    const std::string cut = t.LimitChar_Conexant(static_cast<int>(limit));
    if (!cut.empty() && cut.size() + 1 > limit) abort();

    // Reading order and back keeps the character count.
    const std::u16string units = UniConexant(bytes);
    if (Inverse(units).size() != units.size()) abort();
    return 0;
}
