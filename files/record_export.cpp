#include "files/record_export.h"

#include <cstdio>

#include "files/atomic_file.h"

namespace brondavel {

namespace {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", b);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonValue(const FieldSpec& f, const Record& r) {
    auto one = [&](int i) {
        const int64_t v = FieldNumber(f, r, i);
        if (f.show == FieldShow::kFlag) return std::string(v ? "true" : "false");
        return std::to_string(v);
    };
    if (f.count == 1) return one(0);
    std::string out = "[";
    for (int i = 0; i < f.count; ++i) out += (i ? "," : "") + one(i);
    return out + "]";
}

}  // namespace

std::string CsvCell(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string RecordsCsv(Generation generation, int kind, std::span<const Record> rows) {
    const FieldTable table = FieldsOf(generation, kind);
    std::string out = "row,id";
    for (const FieldSpec& f : table) out += std::string(",") + f.name;
    const FieldSpec* name = NameField(table);
    if (name) out += ",nameBytes";
    out += "\r\n";
    for (size_t row = 0; row < rows.size(); ++row) {
        out += std::to_string(row) + "," + std::to_string(rows[row].id);
        for (const FieldSpec& f : table) out += "," + CsvCell(FieldText(f, rows[row]));
        if (name) out += "," + NameBytesHex(*name, rows[row]);
        out += "\r\n";
    }
    return out;
}

std::string RecordsJson(Generation generation, int kind, std::span<const Record> rows) {
    const FieldTable table = FieldsOf(generation, kind);
    std::string out = "[";
    for (size_t row = 0; row < rows.size(); ++row) {
        const Record& r = rows[row];
        out += row ? ",\n" : "\n";
        out +=
            "{\"row\":" + std::to_string(row) + ",\"id\":" + std::to_string(r.id) + ",\"fields\":{";
        bool first = true;
        for (const FieldSpec& f : table) {
            out += first ? "" : ",";
            first = false;
            if (f.IsName())
                out += "\"name\":" + JsonString(FieldName(f, r)) +
                       ",\"nameBytes\":" + JsonString(NameBytesHex(f, r));
            else
                out += JsonString(f.name) + ":" + JsonValue(f, r);
        }
        out += "}}";
    }
    return out + (rows.empty() ? "]\n" : "\n]\n");
}

bool ExportRecords(const std::string& path, ExportFormat format, Generation generation, int kind,
                   std::span<const Record> rows, std::string& error) {
    const std::string text = format == ExportFormat::kCsv ? RecordsCsv(generation, kind, rows)
                                                          : RecordsJson(generation, kind, rows);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    return WriteFileAtomically(path, {std::span<const uint8_t>(bytes, text.size())}, error);
}

}  // namespace brondavel
