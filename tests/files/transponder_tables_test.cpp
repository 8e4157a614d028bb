// Readers of published transponder tables and shared channel lists: real
// installed dtv-scan-tables files, satellites.xml and hostile input.
#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "files/dvbv5_table.h"
#include "files/reference_list.h"
#include "files/satellites_xml.h"
#include "files/table_source.h"
#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

// How often `line` stands in the file's own text.
int Count(const std::string& text, const std::string& line) {
    int n = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
    return n;
}

TEST(Dvbv5Table, InstalledTablesMatchTheirOwnTextAndNamesGivePositions) {
    for (auto [file, longitude] : {std::pair{"Nilesat-201-7.0W", -70}, {"Astra-19.2E", 192}}) {
        SCOPED_TRACE(file);
        const std::string path = std::string(kInstalledTableFolder) + "/" + file;
        TransponderTable table;
        std::string error;
        ASSERT_TRUE(ReadDvbv5Table(path, table, error)) << error;
        const std::vector<uint8_t> text = testsupport::Slurp(path);
        const std::string own(text.begin(), text.end());
        const int s = Count(own, "DELIVERY_SYSTEM = DVBS\n"), s2 = Count(own, "= DVBS2\n");
        int readS = 0, readS2 = 0;
        for (const TableTransponder& t : table.transponders) {
            (t.s2 ? readS2 : readS)++;
            EXPECT_TRUE(PlausibleTransponder(t.frequency, t.symbolRate));
        }
        EXPECT_EQ(readS + table.rejected, s);
        EXPECT_EQ(readS2, s2);
        EXPECT_GT(s + s2, 0);
        EXPECT_EQ(table.longitude, longitude);
        if (longitude != -70) continue;
        // [OSN] DVBS2 11727000 kHz HORIZONTAL 30000000, then [ERTU] DVBS 11747000 VERTICAL.
        ASSERT_GE(table.transponders.size(), 2u);
        const TableTransponder& osn = table.transponders[0];
        EXPECT_EQ(std::tuple(osn.frequency, osn.symbolRate, osn.s2, osn.ReceiverPolarisation()),
                  std::tuple(11727u, 30000u, true, 2));
        EXPECT_EQ(table.transponders[1].ReceiverPolarisation(), 1);
    }
    // Every installed satellite table with a position is listed; Astra 19.2E has several.
    std::vector<std::string> skipped;
    EXPECT_GE(InstalledTablesAt(192, skipped).size(), 2u);
    // Positions from other file names (the installed ones above give theirs).
    constexpr int kRefused = 9999;
    for (auto [file, want] : {std::pair{"Thor-1W", -10},
                              {"README", kRefused},
                              {"Sat-7.05E", kRefused},
                              {"Sat-999.0E", kRefused},
                              {"-19.2E", kRefused}}) {
        std::string name;
        int longitude = 0;
        EXPECT_EQ(ParseTableFileName(file, name, longitude) ? longitude : kRefused, want) << file;
    }
}

TEST(Dvbv5Table, HostileFilesAreRefused) {
    testsupport::TempDir dir;
    const std::string entry =
        "[x]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11747000\n"
        "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n";
    for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, std::string>>{
             {"binary-1.0E", std::string("\177ELF\0\0\1", 7)},
             {"absurd-1.0E",
              "[x]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 4000000000\n"
              "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 1\n"},
             {"huge-1.0E", std::string(2 << 20, '#')},
             // A long named value overflows a buffer inside libdvbv5.
             {"long-1.0E", entry + "\tMODULATION = " + std::string(80, 'Q') + "\n"},
             {"truncated-1.0E", entry.substr(0, 30)}}) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        TransponderTable table;
        std::string error;
        EXPECT_FALSE(ReadDvbv5Table(dir / name, table, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

constexpr const char* kSatellitesXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<satellites>
  <sat name="Nilesat 7.0W" flags="0" position="-70">
    <transponder frequency="11747000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0" modulation="1"/>
    <transponder frequency="11727000" symbol_rate="30000000" polarization="0" fec_inner="2" system="1" modulation="2"/>
    <transponder frequency="99999999999" symbol_rate="27500000" polarization="0" fec_inner="2" system="0"/>
  </sat>
  <sat name="Intelsat C" position="3350">
    <transponder frequency="3880000" symbol_rate="2590000" polarization="3" fec_inner="10" system="0"/>
  </sat>
  <sat name="no position"/>
</satellites>
)";

TEST(SatellitesXml, ReadsPositionsUnitsAndCodesAndDefusesHostileDocuments) {
    std::vector<TransponderTable> tables;
    std::string error;
    ASSERT_TRUE(ParseSatellitesXml(kSatellitesXml, tables, error)) << error;
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].longitude, -70);
    ASSERT_EQ(tables[0].transponders.size(), 2u);
    EXPECT_EQ(tables[0].rejected, 1);
    const TableTransponder& v = tables[0].transponders[0];
    EXPECT_EQ(std::tuple(v.frequency, v.symbolRate, v.ReceiverPolarisation(), v.fec, v.s2),
              std::tuple(11747u, 27500u, 1, 3, false));
    EXPECT_TRUE(tables[0].transponders[1].s2);
    // West counted up from 180 degrees; circular right is V; 6/7 is the receiver's code 6.
    const TableTransponder& c = tables[1].transponders[0];
    EXPECT_EQ(tables[1].longitude, -250);
    EXPECT_EQ(std::tuple(c.polarisation, c.ReceiverPolarisation(), c.fec), std::tuple('R', 1, 6));

    // An entity bomb: the entities are never expanded, so the name stays short.
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE s [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c) {
        bomb += std::string("<!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i) bomb += std::string("&") + char(c - 1) + ";";
        bomb += "\">";
    }
    bomb += "]><satellites><sat name=\"&j;&j;\" position=\"192\"/></satellites>";
    ASSERT_TRUE(ParseSatellitesXml(bomb, tables, error)) << error;
    EXPECT_LT(tables[0].name.size(), 100u);

    for (const std::string& bad : {std::string("<satellites><sat name=\"x\" position=\"1\">"),
                                   std::string("<other/>"), std::string("<satellites/>")}) {
        EXPECT_FALSE(ParseSatellitesXml(bad, tables, error));
        EXPECT_FALSE(error.empty());
    }
    // Control characters in a name do not reach the database.
    ASSERT_TRUE(ParseSatellitesXml(
        "<satellites><sat name=\"a&#27;[2Jb\" position=\"1\"/></satellites>", tables, error));
    EXPECT_EQ(tables[0].name.find('\x1b'), std::string::npos);
}

TEST(ReferenceList, ReadsWhatUsersShareAndRefusesDamagedLists) {
    std::vector<ReferenceEntry> entries;
    std::string error;
    ASSERT_TRUE(
        ParseReferenceList("\xEF\xBB\xBFnumber;name;ids\r\n"
                           "1;Al Jazeera;1-2-3\r\n"
                           "\r\n"
                           "2; Sport; One ;318-1000-17\n"
                           "3;Ägypten TV\n"
                           "4;x;\n",
                           entries, error))
        << error;
    using Row = std::tuple<std::string, bool, int, int, int>;
    auto rows = [](const std::vector<ReferenceEntry>& list) {
        std::vector<Row> r;
        for (const auto& e : list)
            r.emplace_back(e.name, e.hasIds, e.networkId, e.transportId, e.serviceId);
        return r;
    };
    EXPECT_EQ(rows(entries), (std::vector<Row>{{"Al Jazeera", true, 1, 2, 3},
                                               {"Sport; One", true, 318, 1000, 17},
                                               {"Ägypten TV", false, 0, 0, 0},
                                               {"x", false, 0, 0, 0}}));
    // What the writer writes reads back the same; name-only entries stay so.
    std::vector<ReferenceEntry> again;
    ASSERT_TRUE(ParseReferenceList(FormatReferenceList(entries), again, error));
    EXPECT_EQ(rows(again), rows(entries));

    std::string million;
    for (int i = 0; i < 1'000'000; ++i) million += "1;a\n";
    for (const std::string& bad :
         {million, std::string("1;bell\x07name\n"), std::string("1;\xC3\x28\n"),
          std::string("1;a\nnot a line\n"), std::string("1;\n"), std::string("1\n"),
          std::string("header;only\n")}) {
        error.clear();
        EXPECT_FALSE(ParseReferenceList(bad, entries, error)) << bad.substr(0, 20);
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace brondavel
