// Carrying records between the two receiver generations: every field both
// layouts name is copied by its name; what the target lacks is counted.
#pragma once

#include <map>
#include <string>

#include "model/database_engine.h"
#include "model/field_table.h"

namespace brondavel {

struct ConversionLosses {
    // "transponders symbolRate (too large)", "tv scrambled" -> records that lost it.
    std::map<std::string, int> fields;
    int cutNames = 0;  // names the target field or text encoding could not hold whole
    bool Empty() const { return fields.empty() && cutNames == 0; }
};

// `record` of `kind` (0-3) in the layout `from`, as a record of the layout
// `to`: the target's defaults for a new record, then every shared field. The
// parent reference is copied as a number; the caller maps it.
Record ConvertRecord(int kind, const DatabaseLayout& from, const DatabaseLayout& to,
                     const Record& record, ConversionLosses& losses);

// Stores a number into a field (one array element), leaving every other bit.
// False when the value does not fit the field.
bool SetFieldNumber(const FieldSpec& field, Record& record, int64_t value, int element = 0);

}  // namespace brondavel
