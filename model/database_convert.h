// Writing a database as the other receiver generation.
#pragma once

#include <string>

#include "model/record_convert.h"

namespace brondavel {

// Fills the empty database `to` with the records of `from`, each converted
// to `to`'s layout with its id and parent kept. False, with `error` naming
// the list and the counts, when a list exceeds what `to` can hold; `to` is
// then left empty.
bool ConvertDatabase(const DatabaseEngine& from, DatabaseEngine& to, ConversionLosses& losses,
                     std::string& error);

// The kind as a report names it ("TV channel list").
std::string ListLabel(int kind);

}  // namespace brondavel
