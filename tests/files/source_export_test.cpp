#include "files/source_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "files/channel_data_file.h"
#include "model/first_gen_records.h"

namespace brondavel {
namespace {

template <typename Typed>
void Add(DatabaseEngine& db, int kind, Typed typed) {
    typed.id = static_cast<uint16_t>(db.list(kind).Count());
    Record r = typed.ToRecord();
    db.AddRecords(kind, nullptr, &r, 1);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Export : public ::testing::Test {
  protected:
    void SetUp() override {
        SatelliteRecord s = SatelliteRecord::Default(0);
        s.setName("testsat");
        Add(file.db(), kSatellite, s);
        TransponderRecord t = TransponderRecord::Default();
        t.setFrequency(11739);
        t.setPolarisation(1);
        t.setSymbolRate(27500);
        Add(file.db(), kTransponder, t);
        t.setFrequency(12000);
        t.setPolarisation(2);
        Add(file.db(), kTransponder, t);
    }
    std::string Print() {
        const std::string out = "/tmp/brondavel-export-" + std::to_string(::getpid()) + ".txt";
        EXPECT_EQ(file.PrintSource(out), 1);
        std::string text = ReadText(out);
        ::unlink(out.c_str());
        return text;
    }
    ServiceRecord Channel(uint16_t tp, const char* name) {
        ServiceRecord c = ServiceRecord::Default();
        c.setTransponderRef(tp);
        c.setName(name);
        return c;
    }
    ChannelDataFile file{"unused.ZCS", 2, 3, 2};
};

TEST_F(Export, NoChannelsGiveAnEmptyFile) {
    EXPECT_EQ(Print(), "");
}

TEST_F(Export, ArraysPerTransponderWithChannelLines) {
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
    const std::string text = Print();
    EXPECT_EQ(text,
              "\nDEFDB_CHDATA_t\tCH_TESTSAT_11739_VER_[] = \n{\n"
              "\t{ 0x1A2B,\t 160,\t 160,\t  80,\t0x0000,\t\"First\"            },\n"
              "\t{ 0x0000,\t   0,\t   0,\t16465,\t0x0002,\t\"Seventeen chars!!\" },\n"
              "\t{ 0, },\n};\n"
              "\nDEFDB_CHDATA_t\tCH_TESTSAT_12000_HOR_[] = \n{\n"
              "\t{ 0x0000,\t   0,\t   0,\t   0,\t0x0000,\t\"Second\"           },\n"
              "\t{ 0, },\n};\n");
    // The database itself is not changed by the export.
    EXPECT_EQ(file.db().modified, 0u);
    EXPECT_EQ(file.db().Count(kTv), 2);
}

TEST_F(Export, OrphansNeverReachOutsideTheImage) {
    Add(file.db(), kTv, Channel(40, "Orphan"));
    TransponderRecord t = TransponderRecord::Default();
    t.setSatelliteRef(4000);
    t.setFrequency(11000);
    Add(file.db(), kTransponder, t);
    Add(file.db(), kTv, Channel(2, "OnOrphanTp"));
    const std::string text = Print();
    EXPECT_EQ(text.find("Orphan\""), std::string::npos);
    EXPECT_NE(text.find("CH__11000_HOR_"), std::string::npos);
}

}  // namespace
}  // namespace brondavel
