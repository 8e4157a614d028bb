#include "files/dvbv5_table.h"

#include <libdvbv5/dvb-file.h>
#include <libdvbv5/dvb-v5-std.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "files/read_file.h"

namespace brondavel {

namespace {

// A table of a few hundred entries is some kilobytes; anything far larger is
// not one, and libdvbv5 is not given the chance to chew on it.
constexpr size_t kMaxTableBytes = size_t{1} << 20;

uint16_t ReceiverFec(uint32_t fec) {
    switch (fec) {
        case FEC_1_2:
            return 1;
        case FEC_2_3:
            return 2;
        case FEC_3_4:
            return 3;
        case FEC_5_6:
            return 5;
        case FEC_6_7:
            return 6;
        case FEC_7_8:
            return 7;
        default:
            return 0;
    }
}

// libdvbv5 copies the value of a named setting (MODULATION = ...) into a
// small fixed buffer: a long one overflows it. Real values are a few words.
constexpr size_t kMaxValueLength = 40;

// The first line (from 1) whose value after '=' is longer than that, or 0.
int OverlongValueLine(const std::vector<uint8_t>& bytes) {
    int line = 1;
    size_t valueStart = 0;
    bool inValue = false;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        const bool end = i == bytes.size() || bytes[i] == '\n';
        if (end) {
            if (inValue) {
                size_t first = valueStart, last = i;
                while (first < last && (bytes[first] == ' ' || bytes[first] == '\t')) ++first;
                while (last > first && (bytes[last - 1] == ' ' || bytes[last - 1] == '\t' ||
                                        bytes[last - 1] == '\r'))
                    --last;
                if (last - first > kMaxValueLength) return line;
            }
            ++line;
            inValue = false;
        } else if (bytes[i] == '=' && !inValue) {
            inValue = true;
            valueStart = i + 1;
        }
    }
    return 0;
}

struct FileCloser {
    void operator()(dvb_file* f) const { dvb_file_free(f); }
};

bool PropertyOf(const dvb_entry& entry, uint32_t command, uint32_t& value) {
    for (unsigned i = 0; i < entry.n_props && i < DTV_MAX_COMMAND; ++i)
        if (entry.props[i].cmd == command) {
            value = entry.props[i].u.data;
            return true;
        }
    return false;
}

}  // namespace

bool ParseTableFileName(const std::string& fileName, std::string& name, int& longitude) {
    const size_t dash = fileName.rfind('-');
    if (dash == std::string::npos || dash == 0) return false;
    const std::string position = fileName.substr(dash + 1);
    if (position.size() < 2) return false;
    const char side = position.back();
    if (side != 'E' && side != 'W') return false;
    const std::string number = position.substr(0, position.size() - 1);
    int whole = 0, tenths = 0;
    const size_t dot = number.find('.');
    const std::string wholeText = number.substr(0, dot);
    const std::string tenthText = dot == std::string::npos ? "0" : number.substr(dot + 1);
    auto digits = [](const std::string& s) {
        return !s.empty() && s.size() <= 3 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(wholeText) || !digits(tenthText) || tenthText.size() != 1) return false;
    whole = std::atoi(wholeText.c_str());
    tenths = tenthText[0] - '0';
    if (whole > 180) return false;
    longitude = (whole * 10 + tenths) * (side == 'W' ? -1 : 1);
    name = fileName.substr(0, dash);
    return true;
}

bool ReadDvbv5Table(const std::string& path, TransponderTable& table, std::string& error) {
    table = {};
    table.source = path;
    const std::string fileName = std::filesystem::path(path).filename().string();
    if (!ParseTableFileName(fileName, table.name, table.longitude)) table.name = fileName;

    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes, error, kMaxTableBytes + 1)) return false;
    if (bytes.size() > kMaxTableBytes) {
        error = "\"" + path + "\" is too large for a channel table";
        return false;
    }
    if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
        error = "\"" + path + "\" is no text file";
        return false;
    }
    if (const int line = OverlongValueLine(bytes)) {
        error = "line " + std::to_string(line) + " of \"" + path + "\" has a value longer than " +
                std::to_string(kMaxValueLength) + " characters";
        return false;
    }
    std::unique_ptr<dvb_file, FileCloser> file(
        dvb_read_file_format(path.c_str(), SYS_UNDEFINED, FILE_DVBV5));
    if (!file) {
        error = "\"" + path + "\" is no dvbv5 channel table";
        return false;
    }
    for (const dvb_entry* e = file->first_entry; e; e = e->next) {
        uint32_t system = 0, frequency = 0, symbolRate = 0, polarisation = 0, fec = FEC_AUTO;
        if (!PropertyOf(*e, DTV_DELIVERY_SYSTEM, system)) continue;
        if (system != SYS_DVBS && system != SYS_DVBS2) continue;  // not a satellite entry
        PropertyOf(*e, DTV_INNER_FEC, fec);
        if (!PropertyOf(*e, DTV_FREQUENCY, frequency) ||
            !PropertyOf(*e, DTV_SYMBOL_RATE, symbolRate) ||
            !PropertyOf(*e, DTV_POLARIZATION, polarisation) || polarisation == POLARIZATION_OFF ||
            polarisation > POLARIZATION_R) {
            ++table.rejected;
            continue;
        }
        TableTransponder t;
        // The table keeps kHz and symbols per second; rounded to the
        // receiver's MHz and kilosymbols.
        t.frequency = static_cast<uint32_t>((uint64_t{frequency} + 500) / 1000);
        t.symbolRate = static_cast<uint32_t>((uint64_t{symbolRate} + 500) / 1000);
        if (!PlausibleTransponder(t.frequency, t.symbolRate)) {
            ++table.rejected;
            continue;
        }
        t.polarisation = "?HVLR"[polarisation];
        t.fec = ReceiverFec(fec);
        t.s2 = system == SYS_DVBS2;
        table.transponders.push_back(t);
    }
    if (table.transponders.empty()) {
        error = "\"" + path + "\" holds no usable satellite transponder";
        return false;
    }
    return true;
}

std::vector<InstalledTable> ListInstalledTables(const std::string& folder) {
    std::vector<InstalledTable> tables;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        InstalledTable t;
        t.path = entry.path().string();
        if (ParseTableFileName(entry.path().filename().string(), t.name, t.longitude))
            tables.push_back(std::move(t));
    }
    std::sort(tables.begin(), tables.end(),
              [](const InstalledTable& a, const InstalledTable& b) { return a.name < b.name; });
    return tables;
}

}  // namespace brondavel
