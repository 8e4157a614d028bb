#include "app/logic/configuration_table_source.h"

#include <filesystem>
#include <fstream>

#include "files/table_source.h"
#include "model/transponder_update.h"

namespace brondavel::app {

TableSource StoredTableSource(int kind, std::string path) {
    if (FirstRowWithValue(kTableSourceOptions, kind) < 0) kind = kTableSourceInstalled;
    return {kind, std::move(path)};
}

bool NeedsPath(int kind) {
    return kind == kTableSourceXmlFile;
}

std::string TableSourceProblem(const TableSource& source) {
    if (!NeedsPath(source.kind)) return {};
    if (source.path.empty()) return "Choose the satellites.xml file to take the tables from.";
    const std::string quoted = "\"" + source.path + "\"";
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(source.path, ec);
    if (!std::filesystem::exists(status)) return "The table file " + quoted + " does not exist.";
    if (!std::filesystem::is_regular_file(status)) return quoted + " is not a file.";
    if (!std::ifstream(source.path, std::ios::binary).is_open())
        return "The table file " + quoted + " cannot be read.";
    return {};
}

std::string NothingAtText(const TableSource& source, int longitude) {
    const std::string position = PositionText(longitude);
    if (!NeedsPath(source.kind)) return "No installed table is at " + position + ".";
    return "\"" + source.path + "\" has no satellite at " + position + ".";
}

std::vector<TransponderTable> SourceTablesAt(const TableSource& source, int longitude,
                                             std::string& error, const std::string& folder) {
    error.clear();
    if (!NeedsPath(source.kind)) {
        std::vector<std::string> skipped;
        return InstalledTablesAt(longitude, skipped, folder);
    }
    std::vector<TransponderTable> tables;
    if (!ReadTableFile(source.path, tables, error)) return {};
    return TablesAt(tables, longitude);
}

bool TableCatalogue::Open(const TableSource& source, std::string& error,
                          const std::string& folder) {
    if (NeedsPath(source.kind)) return OpenFile(source.path, error);
    tables_.clear();
    installed_ = ListInstalledTables(folder);
    if (installed_.empty()) error = "No table is installed in " + folder + ".";
    return !installed_.empty();
}

bool TableCatalogue::OpenFile(const std::string& path, std::string& error) {
    installed_.clear();
    if (!ReadTableFile(path, tables_, error)) return false;
    if (tables_.empty()) error = "\"" + path + "\" lists no satellite.";
    return !tables_.empty();
}

std::string TableCatalogue::Label(size_t index) const {
    if (index >= size()) return {};
    const std::string& name = installed_.empty() ? tables_[index].name : installed_[index].name;
    const int longitude =
        installed_.empty() ? tables_[index].longitude : installed_[index].longitude;
    return name + " (" + PositionText(longitude) + ")";
}

bool TableCatalogue::Read(size_t index, TransponderTable& table, std::string& error) const {
    if (index >= size()) return false;
    if (!installed_.empty()) return ReadDvbv5Table(installed_[index].path, table, error);
    table = tables_[index];
    return true;
}

}  // namespace brondavel::app
