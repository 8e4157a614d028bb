// Fixed (label, stored value) tables that fill the dialogs' combo boxes. A
// stored value is shown by selecting the first row that carries it.
#pragma once

#include <span>

namespace brondavel::app {

struct OptionRow {
    const char* label;
    int value;
};
using OptionTable = std::span<const OptionRow>;

// Index of the first row whose value is `value`, or -1 when none has it.
inline int FirstRowWithValue(OptionTable table, int value) {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].value == value) return static_cast<int>(i);
    return -1;
}

}  // namespace brondavel::app
