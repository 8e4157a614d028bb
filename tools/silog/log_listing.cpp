#include "tools/silog/log_listing.h"

#include <cstdio>

namespace brondavel::silog {

namespace {

template <typename... Args>
void AppendFormat(std::string& out, const char* format, Args... args) {
    char line[128];
    const int n = std::snprintf(line, sizeof line, format, args...);
    if (n > 0) out.append(line, std::min(static_cast<size_t>(n), sizeof line - 1));
}

void AppendText(std::string& out, const char* prefix, const std::string& text) {
    if (text.empty()) return;
    out += prefix;
    out += text;
    out += '\n';
}

void AppendNetworkEntry(std::string& out, const NetworkEntry& e) {
    AppendFormat(out, "[FNT]-> Transport_stream_id : %d\n", e.transportStreamId);
    AppendFormat(out, "[FNT]-> Original_network_id : %d\n", e.originalNetworkId);
    AppendFormat(out, "[FNT][Del_SYS]-> frequency : %d\n", e.frequency);
    AppendFormat(out, "[FNT][Del_SYS]-> orbital_position : %d\n", e.orbitalPosition);
    AppendFormat(out, "[FNT][Del_SYS]-> west_east_flag : %d\n", e.westEastFlag);
    AppendFormat(out, "[FNT][Del_SYS]-> polarization : %d\n", e.polarization);
    AppendFormat(out, "[FNT][Del_SYS]-> symbol_rate : %d\n", e.symbolRate);
}

void AppendEvent(std::string& out, const EventEntry& e) {
    AppendFormat(out, "service_id : 0x%04X\n", e.serviceId);
    AppendFormat(out, "transport_stream_id : 0x%04X\n", e.transportStreamId);
    AppendFormat(out, "original_network_id : 0x%04X\n", e.originalNetworkId);
    AppendFormat(out, "section_number : %d\n", e.sectionNumber);
    AppendFormat(out, "version : %d\n", e.version);
    AppendFormat(out, "table_id : 0x%02X\n", e.tableId);
    AppendFormat(out, "event_id : 0x%04X\n", e.eventId);
    if (!e.language.empty()) out += "ISO : " + e.language + "\n";
    AppendText(out, "event_name :", e.eventName);
    AppendText(out, "short_event_extension :", e.shortEventExtension);
    AppendText(out, "extended_text :", e.extendedText);
    AppendFormat(out, "Time : %04d-%02d-%02d,%02d:%02d ~ %02d:%02d\n",
                 e.startCentury * 100 + e.startYear, e.startMonth, e.startDay, e.startHour,
                 e.startMinute, e.endHour, e.endMinute);
}

}  // namespace

std::string FormatLogListing(const NetworkTable& network, const EventTable& events) {
    std::string out;
    AppendFormat(out, "# network entries: %zu\n", network.entries().size());
    for (const NetworkEntry& e : network.entries()) {
        out += '\n';
        AppendNetworkEntry(out, e);
    }
    AppendFormat(out, "\n# events: %zu\n", events.entries().size());
    for (const EventEntry& e : events.entries()) {
        out += '\n';
        AppendEvent(out, e);
    }
    return out;
}

}  // namespace brondavel::silog
