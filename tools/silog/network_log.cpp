#include "tools/silog/network_log.h"

#include <fstream>
#include <optional>

#include "tools/silog/log_lines.h"
#include "tools/silog/log_scanner.h"

namespace brondavel::silog {

namespace {

enum class Step { kClearFirst, kField, kComplete };

struct NetworkLine {
    const char* prefix;
    int32_t NetworkEntry::*field;
    Step step;
};

// Tried in this order; the first prefix found in a line decides.
constexpr NetworkLine kNetworkLines[] = {
    {"[FNT]-> Transport_stream_id :", &NetworkEntry::transportStreamId, Step::kClearFirst},
    {"[FNT]-> Original_network_id :", &NetworkEntry::originalNetworkId, Step::kField},
    {"[FNT][Del_SYS]-> frequency :", &NetworkEntry::frequency, Step::kField},
    {"[FNT][Del_SYS]-> orbital_position :", &NetworkEntry::orbitalPosition, Step::kField},
    {"[FNT][Del_SYS]-> west_east_flag :", &NetworkEntry::westEastFlag, Step::kField},
    {"[FNT][Del_SYS]-> polarization :", &NetworkEntry::polarization, Step::kField},
    {"[FNT][Del_SYS]-> symbol_rate :", &NetworkEntry::symbolRate, Step::kComplete},
};

}  // namespace

void NetworkTable::Read(std::istream& in) {
    building_ = {};
    ForEachLogLine(in, kNetworkLogLineLength, [this](std::string_view line) { ReadLine(line); });
}

bool NetworkTable::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    Read(in);
    return true;
}

void NetworkTable::ReadLine(std::string_view line) {
    for (const NetworkLine& known : kNetworkLines) {
        const size_t at = line.find(known.prefix);
        if (at == std::string_view::npos) continue;
        if (known.step == Step::kClearFirst) building_ = {};
        LogScanner scan(line.substr(at));
        // The prefix already matched; the format adds " %d".
        scan.Literal(known.prefix);
        const std::optional<int32_t> value = scan.Decimal();
        if (!value) return;  // an unscannable value leaves the entry as it was
        building_.*known.field = *value;
        if (known.step == Step::kComplete) Complete();
        return;
    }
}

void NetworkTable::Complete() {
    if (seen_.insert(building_).second) entries_.push_back(building_);
}

}  // namespace brondavel::silog
