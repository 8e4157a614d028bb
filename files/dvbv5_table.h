// The dvbv5 channel tables that dtv-scan-tables installs, one file per
// satellite named after it and its position ("Nilesat-201-7.0W").
#pragma once

#include <string>
#include <vector>

#include "model/transponder_table.h"

namespace brondavel {

inline constexpr const char* kInstalledTableFolder = "/usr/share/dvb/dvb-s";

// Reads one dvbv5 file with libdvbv5. False with `error` set when the file
// cannot be read or holds no usable satellite entry. The position comes from
// the file name; `table.longitude` stays 0 when the name has none.
bool ReadDvbv5Table(const std::string& path, TransponderTable& table, std::string& error);

// Name and position of a table file, from its name alone ("Astra-19.2E").
bool ParseTableFileName(const std::string& fileName, std::string& name, int& longitude);

struct InstalledTable {
    std::string path;
    std::string name;
    int longitude = 0;
};

// The tables of a folder whose names carry a position, sorted by name.
std::vector<InstalledTable> ListInstalledTables(const std::string& folder = kInstalledTableFolder);

}  // namespace brondavel
