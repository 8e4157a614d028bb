// The receiver's event-information log: one field per line, each event
// starting with its service id and ending with its "Time" line. Events are
// collected once per identifiers, start and language.
#pragma once

#include <cstdint>
#include <istream>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace brondavel::silog {

struct EventEntry {
    uint16_t serviceId = 0;
    uint16_t transportStreamId = 0;
    uint16_t originalNetworkId = 0;
    uint8_t sectionNumber = 0;
    uint8_t version = 0;
    uint8_t tableId = 0;
    uint16_t eventId = 0;
    uint8_t startCentury = 0;  // year / 100
    uint8_t startYear = 0;     // year within the century
    uint8_t startMonth = 0;
    uint8_t startDay = 0;
    uint8_t startHour = 0;
    uint8_t startMinute = 0;
    uint8_t endHour = 0;
    uint8_t endMinute = 0;
    std::string language;  // three letters, or empty when the log gave none
    std::string eventName;
    std::string shortEventExtension;
    std::string extendedText;

    // What makes two entries the same event.
    auto Key() const {
        return std::make_tuple(serviceId, transportStreamId, originalNetworkId, eventId,
                               startCentury, startYear, startMonth, startDay, startHour,
                               startMinute, language);
    }
};

// The event table; it grows over every log read into it.
class EventTable {
  public:
    // Reads one log. The entry being built starts empty for every log.
    void Read(std::istream& in);
    // False when the file cannot be opened; the table is then unchanged.
    bool ReadFile(const std::string& path);
    // One line (no line feed) of a log, continuing the entry being built.
    void ReadLine(std::string_view line);

    const std::vector<EventEntry>& entries() const { return entries_; }

  private:
    using Key = decltype(std::declval<EventEntry>().Key());

    void ReadTime(std::string_view from);
    void Complete();

    EventEntry building_;
    std::vector<EventEntry> entries_;
    std::set<Key> seen_;
};

}  // namespace brondavel::silog
