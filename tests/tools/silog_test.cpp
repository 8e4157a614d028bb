#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tools/silog/event_log.h"
#include "tools/silog/log_listing.h"
#include "tools/silog/network_log.h"

namespace brondavel::silog {
namespace {

std::string NetworkBlock(int tsid, int frequency, int symbolRate = 27500) {
    const std::string sys = "\r\n[FNT][Del_SYS]-> ";
    return "[FNT]-> Transport_stream_id : " + std::to_string(tsid) +
           "\r\n[FNT]-> Original_network_id : 1" + sys +
           "frequency : " + std::to_string(frequency) + sys + "orbital_position : 192" + sys +
           "west_east_flag : 1" + sys + "polarization : 0" + sys +
           "symbol_rate : " + std::to_string(symbolRate) + "\r\n";
}

std::string EventBlock(const std::string& eventId, const std::string& time,
                       const std::string& name = "event_name : News") {
    return "service_id : 0x1234\ntransport_stream_id : 0x0451\noriginal_network_id : 0x0001\n"
           "section_number : 8\nversion : 3\ntable_id : 0x4E\nevent_id : 0x" +
           eventId + "\nISO : eng\n" + name + "\nTime : " + time + "\n";
}

template <typename Table>
Table Read(const std::string& log) {
    Table table;
    std::istringstream in(log);
    table.Read(in);
    return table;
}

// Every field of an entry, for whole comparisons.
auto Fields(const EventEntry& e) {
    return std::tuple_cat(e.Key(),
                          std::tie(e.sectionNumber, e.version, e.tableId, e.endHour, e.endMinute,
                                   e.eventName, e.shortEventExtension, e.extendedText));
}

TEST(NetworkLog, LinesAsTheReceiverWritesThem) {
    // A prefix ending at character 1023 is still seen.
    const std::string field = "[FNT][Del_SYS]-> symbol_rate : 7";
    const std::string edge = std::string(1023 - field.size(), ' ') + field;
    struct Case {
        const char* what;
        std::string log;
        std::vector<NetworkEntry> entries;
    };
    for (const Case& c : {
             Case{"prefix anywhere, signed values",
                  "<3>[12.5] [FNT]-> Transport_stream_id :-17\n"
                  "[FNT][Del_SYS]-> orbital_position :   -300\n"
                  "xx [FNT][Del_SYS]-> symbol_rate : 1000 trailing\n",
                  {{-17, 0, 0, -300, 0, 0, 1000}}},
             Case{"unscannable values leave the entry as it was",
                  "[FNT]-> Transport_stream_id : 9\n"
                  "[FNT][Del_SYS]-> frequency : 11000\n"
                  "[FNT][Del_SYS]-> frequency : abc\n"
                  "[FNT][Del_SYS]-> frequency : 99999999999999999999\n"
                  "[FNT][Del_SYS]-> symbol_rate : none\n"  // completes nothing
                  "[FNT][Del_SYS]-> symbol_rate : 2147483647\n",
                  {{9, 0, 11000, 0, 0, 0, 2147483647}}},
             // The tail of an over-long line holds a complete-looking field; it
             // must not be read as a line of its own.
             Case{"over-long line",
                  "[FNT]-> Transport_stream_id : 3\n" + std::string(1100, 'x') +
                      "[FNT][Del_SYS]-> symbol_rate : 5\n",
                  {}},
             Case{"longest line", edge, {{0, 0, 0, 0, 0, 0, 7}}},
         }) {
        EXPECT_EQ(Read<NetworkTable>(c.log).entries(), c.entries) << c.what;
    }
}

TEST(EventLog, EntriesAsTheLogMeansThem) {
    // Key (service, stream, network, event, century, year, month, day, hour,
    // minute, language), then section, version, table, end and the texts.
    using Row = std::tuple<int, int, int, int, int, int, int, int, int, int, std::string, int, int,
                           int, int, int, std::string, std::string, std::string>;
    struct Case {
        const char* what;
        std::string log;
        Row last;
    };
    for (const Case& c : {
             // Texts after "Time" belong to the entry being built, not to the stored one.
             Case{"all fields, a 16-bit id",
                  EventBlock("ABCD", "2009-02-18,20:30 ~ 21:15") +
                      "short_event_extension : Daily\r\nextended_text : Long\r text\n",
                  {0x1234, 0x0451, 1, 0xABCD, 20, 9, 2, 18, 20, 30, "eng", 8, 3, 0x4E, 21, 15,
                   " News", "", ""}},
             Case{"year below one",
                  EventBlock("01", "-001-01-01,00:00 ~ 01:00"),
                  {0x1234, 0x0451, 1, 1, 0, 0, 1, 1, 0, 0, "eng", 8, 3, 0x4E, 1, 0, " News", "",
                   ""}},
             Case{"an empty name keeps the previous one",
                  "service_id : 0x0001\nevent_name : Match of the Day\r\nevent_name :\r\n"
                  "Time : 2009-02-18,20:30 ~ 21:15\n",
                  {1, 0, 0, 0, 20, 9, 2, 18, 20, 30, "", 0, 0, 0, 21, 15, " Match of the Day", "",
                   ""}},
             Case{"a new service id clears everything",
                  EventBlock("10", "2009-02-18,20:30 ~ 21:15") +
                      "service_id : 0x0002\nTime : 2009-02-18,22:00 ~ 23:00\n",
                  {2, 0, 0, 0, 20, 9, 2, 18, 22, 0, "", 0, 0, 0, 23, 0, "", "", ""}},
         }) {
        const EventTable table = Read<EventTable>(c.log);
        ASSERT_FALSE(table.entries().empty()) << c.what;
        EXPECT_EQ(Fields(table.entries().back()), c.last) << c.what;
    }
}

// Duplicates go by identifiers, start and language; hostile lines complete nothing.
TEST(EventLog, DuplicatesAndHostileLinesAddNoEntry) {
    const EventTable table =
        Read<EventTable>(EventBlock("10", "2009-02-18,20:30 ~ 21:15") +
                         // same event again, other end time, version and name: a duplicate
                         EventBlock("10", "2009-02-18,20:30 ~ 22:00", "event_name : Renamed") +
                         // other start, other event id, other language: three new entries
                         EventBlock("10", "2009-02-18,20:31 ~ 22:00") +
                         EventBlock("11", "2009-02-18,20:30 ~ 21:15") +
                         "ISO : fra\nTime : 2009-02-18,20:30 ~ 21:15\n"
                         "service_id : 0x0001\n"
                         "transport_stream_id : 1234\n"       // no 0x
                         "section_number : 99999999999999\n"  // out of range
                         "table_id : 0xZZ\n"
                         "ISO : e\n"                           // too short
                         "Time : 2009-02-18 20:30\n"           // incomplete: completes nothing
                         "Time : 12345-01-01,00:00 ~ 00:00\n"  // five-digit year does not scan
                         + std::string(5000, 'y') + "Time : 2009-01-01,00:00 ~ 00:00\n"  // cut off
                         + "event_name : " + std::string(4000, 'n') + "\n");
    ASSERT_EQ(table.entries().size(), 4u);
    EXPECT_EQ(table.entries()[0].eventName, " News");
    EXPECT_EQ(table.entries()[3].language, "fra");
}

// A repeated network block is dropped, in one log or a later one; one
// differing in the symbol rate is kept. The listing reads back into the same
// tables.
TEST(LogListing, EntriesOnceOverSeveralLogsReadBackFromTheListing) {
    NetworkTable network = Read<NetworkTable>("12:00:01 boot\n" + NetworkBlock(5, 11778) +
                                              NetworkBlock(-7, 12207) + NetworkBlock(5, 11778));
    std::istringstream more(NetworkBlock(-7, 12207) + NetworkBlock(5, 11778, 22000));
    network.Read(more);
    EXPECT_FALSE(network.ReadFile("/nonexistent/fnt.txt"));
    EXPECT_EQ(network.entries(), (std::vector<NetworkEntry>{{5, 1, 11778, 192, 1, 0, 27500},
                                                            {-7, 1, 12207, 192, 1, 0, 27500},
                                                            {5, 1, 11778, 192, 1, 0, 22000}}));
    const EventTable events =
        Read<EventTable>(EventBlock("ABCD", "2009-02-18,20:30 ~ 21:15") + "extended_text : more\n" +
                         EventBlock("01", "0000-01-01,00:00 ~ 01:00", "event_name :"));
    const std::string listing = FormatLogListing(network, events);
    EXPECT_NE(listing.find("# network entries: 3\n"), std::string::npos);

    EXPECT_EQ(Read<NetworkTable>(listing).entries(), network.entries());
    const EventTable events2 = Read<EventTable>(listing);
    ASSERT_EQ(events2.entries().size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(Fields(events2.entries()[i]), Fields(events.entries()[i]));
}

}  // namespace
}  // namespace brondavel::silog
