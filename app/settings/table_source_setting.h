// The configured table source, kept with the other registry values as
// "Update_Source" (integer) and "Update_File" (text).
#pragma once

#include "app/logic/configuration_table_source.h"

namespace brondavel::app {

// The installed tables when nothing is stored.
TableSource LoadTableSource();
// False when either value could not be written.
bool SaveTableSource(const TableSource& source);

}  // namespace brondavel::app
