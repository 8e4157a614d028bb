// Where the satellite menu's "Update" and "New from table" take transponder
// tables from: the dvbv5 tables installed for each position, or one
// satellites.xml file the user names in the configuration.
#pragma once

#include <string>
#include <vector>

#include "app/logic/option_table.h"
#include "files/dvbv5_table.h"

namespace brondavel::app {

inline constexpr int kTableSourceInstalled = 0;
inline constexpr int kTableSourceXmlFile = 1;
inline constexpr OptionRow kTableSourceOptions[] = {{"Installed tables", kTableSourceInstalled},
                                                    {"satellites.xml file", kTableSourceXmlFile}};

struct TableSource {
    int kind = kTableSourceInstalled;
    // The satellites.xml file; kept while the installed tables are chosen,
    // so switching back does not lose it.
    std::string path;
};

// A stored source as it is taken: a kind no row offers is the installed
// tables.
TableSource StoredTableSource(int kind, std::string path);

// Whether `kind` reads a file the user names.
bool NeedsPath(int kind);

// Why `source` cannot be chosen (no path, or a file that is missing or
// unreadable), or empty when it can.
std::string TableSourceProblem(const TableSource& source);

// What to tell when `source` has no table at `longitude`.
std::string NothingAtText(const TableSource& source, int longitude);

// The tables of `source` within 0.1 degree of `longitude`. Empty with
// `error` set when the file cannot be read; empty without an error when the
// source has nothing there.
std::vector<TransponderTable> SourceTablesAt(const TableSource& source, int longitude,
                                             std::string& error,
                                             const std::string& folder = kInstalledTableFolder);

// The satellites a source (or a picked file) offers for a new satellite,
// by name and position; an installed table is read only when chosen.
class TableCatalogue {
  public:
    bool Open(const TableSource& source, std::string& error,
              const std::string& folder = kInstalledTableFolder);
    bool OpenFile(const std::string& path, std::string& error);

    size_t size() const { return installed_.empty() ? tables_.size() : installed_.size(); }
    // "Astra-19.2E (19.2E)".
    std::string Label(size_t index) const;
    bool Read(size_t index, TransponderTable& table, std::string& error) const;

  private:
    std::vector<InstalledTable> installed_;
    std::vector<TransponderTable> tables_;
};

}  // namespace brondavel::app
