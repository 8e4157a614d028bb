// Every field of a record's field table as JSON, for `dump --json`.
#pragma once

#include <nlohmann/json.hpp>

#include "model/record.h"

namespace brondavel::cli {

// `model` selects the generation's layout (2 first, 0/1 second).
nlohmann::json RecordFields(int model, int kind, const Record& record);

}  // namespace brondavel::cli
