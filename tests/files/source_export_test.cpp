#include "files/source_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "files/channel_data_file.h"
#include "model/first_gen_records.h"
#include "tests/support/temp_files.h"

namespace brondavel {
namespace {

template <typename Typed>
void Add(DatabaseEngine& db, int kind, Typed typed) {
    typed.id = static_cast<uint16_t>(db.list(kind).Count());
    Record r = typed.ToRecord();
    db.AddRecords(kind, nullptr, &r, 1);
}

class Export : public ::testing::Test {
  protected:
    void SetUp() override {
        AddSatellite("testsat");
        AddTransponder(0, 11739, 1);
        AddTransponder(0, 12000, 2);
    }
    void AddSatellite(std::string_view name) {
        SatelliteRecord s = SatelliteRecord::Default(0);
        s.setName(name);
        Add(file.db(), kSatellite, s);
    }
    void AddTransponder(uint16_t satellite, uint32_t frequency, uint32_t polarisation) {
        TransponderRecord t = TransponderRecord::Default();
        t.setSatelliteRef(satellite);
        t.setFrequency(frequency);
        t.setPolarisation(polarisation);
        t.setSymbolRate(27500);
        Add(file.db(), kTransponder, t);
    }
    std::string Print() {
        const std::string out = scratch / "export.txt";
        EXPECT_EQ(file.PrintSource(out), 1);
        return testsupport::ReadText(out);
    }
    ServiceRecord Channel(uint16_t tp, const char* name) {
        ServiceRecord c = ServiceRecord::Default();
        c.setTransponderRef(tp);
        c.setName(name);
        return c;
    }
    testsupport::TempDir scratch;
    ChannelDataFile file{"unused.ZCS", 2, 3, 2};
};

TEST_F(Export, ArraysPerTransponderWithChannelLinesAndEscapedNames) {
    EXPECT_EQ(Print(), "");  // no channels, no arrays
    ServiceRecord c = Channel(0, "First");
    c.setServiceId(0x1A2B);
    c.setPcrPid(160);
    c.setVideoPid(160);
    c.setAudio(0, 80);
    Add(file.db(), kTv, c);
    ServiceRecord ac3 = Channel(0, "Seventeen chars!!");
    ac3.setAudioPid(0, 81);
    ac3.setAudioAc3(0, true);
    ac3.setScrambled(true);
    ac3.setAccessSystems(1u << 1);
    Add(file.db(), kRadio, ac3);
    Add(file.db(), kTv, Channel(1, "Second"));
    Add(file.db(), kTv, Channel(0, "Say \"Hi\" C:\\TV\\"));
    Add(file.db(), kTv, Channel(0, "\00123\1774\037"));  // octal: bytes 1, 127 and 31
    Add(file.db(), kTv, Channel(0, "What?\?! ??\?= ?? ?"));
    Add(file.db(), kTv, Channel(0, "\xFE\x8F\xFE\x8E A"));
    EXPECT_EQ(Print(),
              "\nDEFDB_CHDATA_t\tCH_TESTSAT_11739_VER_[] = \n{\n"
              "\t{ 0x1A2B,\t 160,\t 160,\t  80,\t0x0000,\t\"First\"            },\n"
              "\t{ 0x0000,\t   0,\t   0,\t   0,\t0x0000,\t\"Say \\\"Hi\\\" C:\\\\TV\\\\\" },\n"
              "\t{ 0x0000,\t   0,\t   0,\t   0,\t0x0000,\t\"\\00123\\1774\\037\"  },\n"
              "\t{ 0x0000,\t   0,\t   0,\t   0,\t0x0000,\t\"What?\\?! ??\\?= ?? ?\" },\n"
              "\t{ 0x0000,\t   0,\t   0,\t   0,\t0x0000,\t\"\xFE\x8F\xFE\x8E A\"           },\n"
              "\t{ 0x0000,\t   0,\t   0,\t16465,\t0x0002,\t\"Seventeen chars!!\" },\n"
              "\t{ 0, },\n};\n"
              "\nDEFDB_CHDATA_t\tCH_TESTSAT_12000_HOR_[] = \n{\n"
              "\t{ 0x0000,\t   0,\t   0,\t   0,\t0x0000,\t\"Second\"           },\n"
              "\t{ 0, },\n};\n");
    // The database itself is not changed by the export.
    EXPECT_EQ(file.db().modified, 0u);
}

TEST_F(Export, ArrayNamesAreCIdentifiersAndOrphansStayOut) {
    AddSatellite("Astra 1/Hot-Bird\xB0");
    AddTransponder(1, 12065, 1);
    // The same name again, once as it is and once after the characters are replaced.
    AddTransponder(1, 12065, 1);
    AddSatellite("ASTRA_1_HOT_BIRD_");
    AddTransponder(2, 12065, 1);
    AddTransponder(4000, 11000, 2);  // on no satellite
    for (uint16_t tp = 0; tp < 6; ++tp) Add(file.db(), kTv, Channel(tp, "x"));
    Add(file.db(), kTv, Channel(40, "Orphan"));  // on no transponder
    const std::string text = Print();
    EXPECT_EQ(text.find("Orphan"), std::string::npos);
    std::vector<std::string> heads;
    for (size_t at = text.find("CH_"); at != std::string::npos; at = text.find("CH_", at + 1))
        heads.push_back(text.substr(at, text.find('[', at) - at));
    EXPECT_EQ(heads, (std::vector<std::string>{
                         "CH_TESTSAT_11739_VER_", "CH_TESTSAT_12000_HOR_",
                         "CH_ASTRA_1_HOT_BIRD__12065_VER_", "CH_ASTRA_1_HOT_BIRD__12065_VER_2",
                         "CH_ASTRA_1_HOT_BIRD__12065_VER_3", "CH__11000_HOR_"}));
}

// A firmware build must accept whatever a database holds.
TEST_F(Export, HostileDatabaseCompiles) {
    if (std::system("cc --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no C compiler";
    for (const char* name : {"1 West", "a\"b\\c", "\x7F\x01", "Sat?\?/", "\xD9\x84\xFF"}) {
        AddSatellite(name);
        const auto satellite = static_cast<uint16_t>(file.db().Count(kSatellite) - 1);
        AddTransponder(satellite, 10700, 2);
        AddTransponder(satellite, 10700, 2);
    }
    const char* names[] = {"\"",      "\\",       "\\\"",         "?\?/\"", "x\0017",
                           "\x1B[1m", "/* */ //", "\x0A\x0D\x09", "\x7F",   "\xFE\x8F\xFE"};
    for (uint16_t tp = 0; tp < file.db().Count(kTransponder); ++tp) {
        for (const char* n : names) Add(file.db(), kTv, Channel(tp, n));
        Add(file.db(), kRadio, Channel(tp, names[tp % std::size(names)]));
    }
    // A full field without its terminator.
    ServiceRecord full = Channel(0, "");
    for (size_t i = 0; i < 24; ++i) full.stored[32 + i] = i % 2 ? '\\' : '"';
    Add(file.db(), kTv, full);

    const std::string source = scratch / "table.c";
    {
        std::ofstream c(source, std::ios::binary);
        c << "typedef struct { unsigned short serviceId, pcrPid, videoPid, audio, access; "
             "const char *name; } DEFDB_CHDATA_t;\n"
          << Print();
    }
    const std::string log = scratch / "cc.log";
    const std::string cmd = "cc -fsyntax-only -std=c99 -pedantic-errors -Wall -Werror " + source +
                            " > " + log + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << testsupport::ReadText(log);
}

}  // namespace
}  // namespace brondavel
