#include "files/satellites_xml.h"

#include <pugixml.hpp>

#include "files/read_file.h"

namespace brondavel {

namespace {

// Complete community lists are a few megabytes.
constexpr size_t kMaxXmlBytes = size_t{32} << 20;

uint16_t ReceiverFec(unsigned fec) {
    // The list's codes: 1 1/2, 2 2/3, 3 3/4, 4 5/6, 5 7/8, 10 6/7; others
    // (8/9, 3/5, 4/5, 9/10, none) have no receiver code.
    switch (fec) {
        case 1:
            return 1;
        case 2:
            return 2;
        case 3:
            return 3;
        case 4:
            return 5;
        case 5:
            return 7;
        case 10:
            return 6;
        default:
            return 0;
    }
}

// A whole unsigned number, or false.
bool Number(const pugi::xml_node& node, const char* name, unsigned long long& value) {
    const pugi::xml_attribute a = node.attribute(name);
    if (!a) return false;
    const std::string text = a.value();
    if (text.empty() || text.size() > 12) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return true;
}

bool Position(const pugi::xml_node& sat, int& longitude) {
    std::string text = sat.attribute("position").value();
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.erase(0, 1);
    if (text.empty() || text.size() > 5) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > 3600) return false;
    if (negative) value = -value;
    if (value > 1800) value -= 3600;  // some lists count West from 1800 up
    longitude = static_cast<int>(value);
    return true;
}

}  // namespace

bool ParseSatellitesXml(std::string_view text, std::vector<TransponderTable>& tables,
                        std::string& error) {
    tables.clear();
    if (text.size() > kMaxXmlBytes) {
        error = "the satellite list is too large";
        return false;
    }
    pugi::xml_document doc;
    // No DTD processing: pugixml never expands declared entities, so an
    // entity bomb stays a few bytes of text.
    const unsigned options = pugi::parse_default & ~pugi::parse_doctype;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), options);
    if (!parsed) {
        error = std::string("the satellite list is no well-formed XML: ") + parsed.description() +
                " at byte " + std::to_string(parsed.offset);
        return false;
    }
    const pugi::xml_node root = doc.child("satellites");
    if (!root) {
        error = "the XML file holds no <satellites> list";
        return false;
    }
    for (pugi::xml_node sat = root.child("sat"); sat; sat = sat.next_sibling("sat")) {
        TransponderTable table;
        table.name = sat.attribute("name").value();
        for (char& c : table.name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
        if (!Position(sat, table.longitude)) continue;
        for (pugi::xml_node tp = sat.child("transponder"); tp;
             tp = tp.next_sibling("transponder")) {
            unsigned long long frequency = 0, symbolRate = 0, polarisation = 0, fec = 0, system = 0;
            Number(tp, "fec_inner", fec);
            Number(tp, "system", system);
            if (!Number(tp, "frequency", frequency) || !Number(tp, "symbol_rate", symbolRate) ||
                !Number(tp, "polarization", polarisation) || polarisation > 3 || system > 1) {
                ++table.rejected;
                continue;
            }
            TableTransponder t;
            t.frequency = static_cast<uint32_t>((frequency + 500) / 1000);    // kHz
            t.symbolRate = static_cast<uint32_t>((symbolRate + 500) / 1000);  // symbols/s
            if (frequency > 100'000'000 || symbolRate > 1'000'000'000 ||
                !PlausibleTransponder(t.frequency, t.symbolRate)) {
                ++table.rejected;
                continue;
            }
            t.polarisation = "HVLR"[polarisation];
            t.fec = ReceiverFec(static_cast<unsigned>(fec));
            t.s2 = system == 1;
            table.transponders.push_back(t);
        }
        tables.push_back(std::move(table));
    }
    if (tables.empty()) {
        error = "the satellite list holds no satellite with a position";
        return false;
    }
    return true;
}

bool ReadSatellitesXml(const std::string& path, std::vector<TransponderTable>& tables,
                       std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes, error, kMaxXmlBytes + 1)) return false;
    const bool ok = ParseSatellitesXml(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), tables, error);
    if (!ok) error = "\"" + path + "\": " + error;
    for (TransponderTable& t : tables) t.source = path;
    return ok;
}

}  // namespace brondavel
