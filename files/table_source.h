// Where transponder tables come from: a file the user names (a dvbv5 table
// or a satellites.xml list) or the tables installed for a position.
#pragma once

#include <string>
#include <vector>

#include "files/dvbv5_table.h"

namespace brondavel {

// Reads a dvbv5 table or a satellites.xml list, told apart by content.
bool ReadTableFile(const std::string& path, std::vector<TransponderTable>& tables,
                   std::string& error);

// Every installed table within 0.1 degree of `longitude`. Tables that cannot
// be read are named in `skipped`.
std::vector<TransponderTable> InstalledTablesAt(int longitude, std::vector<std::string>& skipped,
                                                const std::string& folder = kInstalledTableFolder);

}  // namespace brondavel
