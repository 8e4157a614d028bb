#include "files/table_source.h"

#include <cstdlib>

#include "files/read_file.h"
#include "files/satellites_xml.h"

namespace brondavel {

bool ReadTableFile(const std::string& path, std::vector<TransponderTable>& tables,
                   std::string& error) {
    tables.clear();
    std::vector<uint8_t> head;
    if (!ReadFile(path, head, error, 256)) return false;
    size_t i = 0;
    if (head.size() >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) i = 3;
    while (i < head.size() &&
           (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
        ++i;
    if (i < head.size() && head[i] == '<') return ReadSatellitesXml(path, tables, error);
    TransponderTable table;
    if (!ReadDvbv5Table(path, table, error)) return false;
    tables.push_back(std::move(table));
    return true;
}

std::vector<TransponderTable> InstalledTablesAt(int longitude, std::vector<std::string>& skipped,
                                                const std::string& folder) {
    std::vector<TransponderTable> tables;
    for (const InstalledTable& t : ListInstalledTables(folder)) {
        if (std::abs(t.longitude - longitude) > 1) continue;
        TransponderTable table;
        std::string error;
        if (ReadDvbv5Table(t.path, table, error))
            tables.push_back(std::move(table));
        else
            skipped.push_back(error);
    }
    return tables;
}

}  // namespace brondavel
