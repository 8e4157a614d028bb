// A list's rows (a window's view or a whole kind) as CSV or JSON, every
// field of the generation's field table, names in UTF-8.
#pragma once

#include <span>
#include <string>

#include "model/field_table.h"
#include "model/record.h"

namespace brondavel {

enum class ExportFormat { kCsv, kJson };

// CSV with a header line: row, id, the table's fields, then nameBytes (the
// stored name as hex). Arrays are one space-separated cell; every cell that
// holds a comma, quote or line break is quoted. Lines end in CRLF.
std::string RecordsCsv(Generation generation, int kind, std::span<const Record> rows);
// A JSON array of {"row", "id", "fields"} objects; fields as `dump --json`
// shows them.
std::string RecordsJson(Generation generation, int kind, std::span<const Record> rows);

// Writes the rows to `path` without ever leaving a half-written file. False
// with `error` set on failure.
bool ExportRecords(const std::string& path, ExportFormat format, Generation generation, int kind,
                   std::span<const Record> rows, std::string& error);

// One CSV cell, quoted when it must be.
std::string CsvCell(std::string_view text);

}  // namespace brondavel
