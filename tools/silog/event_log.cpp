#include "tools/silog/event_log.h"

#include <fstream>
#include <optional>

#include "tools/silog/log_lines.h"
#include "tools/silog/log_scanner.h"

namespace brondavel::silog {

namespace {

constexpr std::string_view kServiceId = "service_id :";
constexpr std::string_view kTransportStreamId = "transport_stream_id :";
constexpr std::string_view kOriginalNetworkId = "original_network_id :";
constexpr std::string_view kSectionNumber = "section_number :";
constexpr std::string_view kVersion = "version :";
constexpr std::string_view kTableId = "table_id :";
constexpr std::string_view kEventId = "event_id :";
constexpr std::string_view kIso = "ISO :";
constexpr std::string_view kEventName = "event_name :";
constexpr std::string_view kShortEventExtension = "short_event_extension :";
constexpr std::string_view kExtendedText = "extended_text :";
constexpr std::string_view kTime = "Time :";

// A hexadecimal field written "0x..." after its prefix; `digits` bounds it.
template <typename Field>
void ScanHex(std::string_view from, std::string_view prefix, size_t digits, Field& field) {
    LogScanner scan(from);
    if (!scan.Literal(prefix) || !scan.Literal(" 0x")) return;
    if (const std::optional<uint32_t> value = scan.Hex(digits)) field = static_cast<Field>(*value);
}

void ScanByte(std::string_view from, std::string_view prefix, uint8_t& field) {
    LogScanner scan(from);
    if (!scan.Literal(prefix)) return;
    if (const std::optional<int32_t> value = scan.Decimal()) field = static_cast<uint8_t>(*value);
}

// The line without its prefix and without any carriage return or line feed;
// an empty rest keeps the text the entry had.
void TakeText(std::string_view line, size_t at, std::string_view prefix, std::string& field) {
    std::string rest;
    rest.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (i == at) {
            i += prefix.size() - 1;
            continue;
        }
        if (line[i] != '\r' && line[i] != '\n') rest.push_back(line[i]);
    }
    if (!rest.empty()) field = std::move(rest);
}

}  // namespace

void EventTable::Read(std::istream& in) {
    building_ = {};
    ForEachLogLine(in, kEventLogLineLength, [this](std::string_view line) { ReadLine(line); });
}

bool EventTable::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    Read(in);
    return true;
}

void EventTable::ReadLine(std::string_view line) {
    size_t at;
    auto found = [&](std::string_view prefix) {
        at = line.find(prefix);
        return at != std::string_view::npos;
    };
    EventEntry& e = building_;
    if (found(kServiceId)) {
        e = {};
        ScanHex(line.substr(at), kServiceId, 4, e.serviceId);
    } else if (found(kTransportStreamId)) {
        ScanHex(line.substr(at), kTransportStreamId, 4, e.transportStreamId);
    } else if (found(kOriginalNetworkId)) {
        ScanHex(line.substr(at), kOriginalNetworkId, 4, e.originalNetworkId);
    } else if (found(kSectionNumber)) {
        ScanByte(line.substr(at), kSectionNumber, e.sectionNumber);
    } else if (found(kVersion)) {
        ScanByte(line.substr(at), kVersion, e.version);
    } else if (found(kTableId)) {
        ScanHex(line.substr(at), kTableId, 2, e.tableId);
    } else if (found(kEventId)) {
        // Event ids are 16 bits: all four digits count, or distinct events
        // would collapse into one.
        ScanHex(line.substr(at), kEventId, 4, e.eventId);
    } else if (found(kIso)) {
        LogScanner scan(line.substr(at));
        scan.Literal(kIso);
        scan.Literal(" ");
        std::optional<std::string> code = scan.Characters(3);
        if (code && code->find_first_of("\r\n") == std::string::npos) e.language = *code;
    } else if (found(kEventName)) {
        TakeText(line, at, kEventName, e.eventName);
    } else if (found(kShortEventExtension)) {
        TakeText(line, at, kShortEventExtension, e.shortEventExtension);
    } else if (found(kExtendedText)) {
        TakeText(line, at, kExtendedText, e.extendedText);
    } else if (found(kTime)) {
        ReadTime(line.substr(at));
    }
}

void EventTable::ReadTime(std::string_view from) {
    LogScanner scan(from);
    scan.Literal(kTime);
    std::optional<int32_t> year, month, day, hour, minute, endHour, endMinute;
    // "Time : %04d-%02d-%02d,%02d:%02d ~ %02d:%02d"; a line that does not
    // scan in full completes nothing.
    if (!(year = scan.Decimal(4)) || !scan.Literal("-") || !(month = scan.Decimal(2)) ||
        !scan.Literal("-") || !(day = scan.Decimal(2)) || !scan.Literal(",") ||
        !(hour = scan.Decimal(2)) || !scan.Literal(":") || !(minute = scan.Decimal(2)) ||
        !scan.Literal(" ~ ") || !(endHour = scan.Decimal(2)) || !scan.Literal(":") ||
        !(endMinute = scan.Decimal(2)))
        return;
    EventEntry& e = building_;
    if (*year < 1) {
        e.startCentury = 0;
        e.startYear = 0;
    } else {
        e.startCentury = static_cast<uint8_t>(*year / 100);
        e.startYear = static_cast<uint8_t>(*year % 100);
    }
    e.startMonth = static_cast<uint8_t>(*month);
    e.startDay = static_cast<uint8_t>(*day);
    e.startHour = static_cast<uint8_t>(*hour);
    e.startMinute = static_cast<uint8_t>(*minute);
    e.endHour = static_cast<uint8_t>(*endHour);
    e.endMinute = static_cast<uint8_t>(*endMinute);
    Complete();
}

void EventTable::Complete() {
    if (seen_.insert(building_.Key()).second) entries_.push_back(building_);
}

}  // namespace brondavel::silog
