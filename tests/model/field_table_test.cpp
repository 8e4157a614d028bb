// The field tables read the same bits the typed accessors write, in both
// generations, so dumps, exports and diffs show what the editor stores.
#include "model/field_table.h"

#include <gtest/gtest.h>

#include "model/first_gen_records.h"
#include "model/second_gen_records.h"

namespace brondavel {
namespace {

int64_t Read(Generation g, int kind, const Record& r, const char* name, int element = 0) {
    const FieldSpec* f = FindField(FieldsOf(g, kind), name);
    EXPECT_NE(f, nullptr) << name;
    return f ? FieldNumber(*f, r, element) : -1;
}

TEST(FieldTable, FirstGenerationFieldsReadWhatTheAccessorsWrote) {
    const Generation g = Generation::kFirst;
    SatelliteRecord s;
    s.setLongitude(-70);
    s.setLnbHighFreq(10600);
    s.setLnbLowFreq(9750);
    s.setDiseqcPort(17);
    s.setTone22k(2);
    s.setLnbPower(3);
    Record rs = s.ToRecord();
    EXPECT_EQ(Read(g, kSatellite, rs, "longitude"), -70);
    EXPECT_EQ(Read(g, kSatellite, rs, "lnbHighFreq"), 10600);
    EXPECT_EQ(Read(g, kSatellite, rs, "lnbLowFreq"), 9750);
    EXPECT_EQ(Read(g, kSatellite, rs, "diseqcPort"), 17);
    EXPECT_EQ(Read(g, kSatellite, rs, "tone22k"), 2);
    EXPECT_EQ(Read(g, kSatellite, rs, "lnbPower"), 3);

    TransponderRecord t;
    t.setSatelliteRef(0xABC);
    t.setFrequency(0xFFFFF);
    t.setSymbolRate(27500);
    t.setPolarisation(1);
    t.setFec(7);
    Record rt = t.ToRecord();
    EXPECT_EQ(Read(g, kTransponder, rt, "satelliteRef"), 0xABC);
    EXPECT_EQ(Read(g, kTransponder, rt, "frequency"), 0xFFFFF);
    EXPECT_EQ(Read(g, kTransponder, rt, "polarisation"), 1);
    EXPECT_EQ(Read(g, kTransponder, rt, "fec"), 7);

    ServiceRecord c;
    c.setAudio(3, 0x4123);
    c.setAudioLanguage(2, 9);
    c.setAccessSystems(0x401);
    c.setHideAudio(true);
    c.setAudioIndex(63);
    c.setFavoriteMask(0x8001);
    c.setAudioMode(2);
    Record rc = c.ToRecord();
    EXPECT_EQ(Read(g, kTv, rc, "audio", 3), 0x4123);
    EXPECT_EQ(Read(g, kTv, rc, "audioLanguage", 2), 9);
    EXPECT_EQ(Read(g, kTv, rc, "accessSystems"), 0x401);
    EXPECT_EQ(Read(g, kTv, rc, "hideAudio"), 1);
    EXPECT_EQ(Read(g, kTv, rc, "scrambled"), 0);
    EXPECT_EQ(Read(g, kTv, rc, "audioIndex"), 63);
    EXPECT_EQ(Read(g, kTv, rc, "favoriteMask"), 0x8001);
    EXPECT_EQ(Read(g, kTv, rc, "audioMode"), 2);
    // The flags word is split up except for its unnamed bits.
    const FieldTable channel = FieldsOf(g, kTv);
    EXPECT_EQ(NamedBitsOf(channel, *FindField(channel, "flags")), 0x01FC7FF9u);
}

TEST(FieldTable, SecondGenerationFieldsReadWhatTheAccessorsWrote) {
    const Generation g = Generation::kSecond;
    gen2::SatelliteRecord s;
    s.setPositionCode(7);
    s.setLongitude(-300);
    s.setSwitch12V(1);
    s.setLnbLowFreq(5150);
    Record rs = s.ToRecord();
    EXPECT_EQ(Read(g, kSatellite, rs, "positionCode"), 7);
    EXPECT_EQ(Read(g, kSatellite, rs, "longitude"), -300);
    EXPECT_EQ(Read(g, kSatellite, rs, "switch12V"), 1);
    EXPECT_EQ(Read(g, kSatellite, rs, "lnbLowFreq"), 5150);

    gen2::TransponderRecord t;
    t.setSatelliteRef(kNone);
    t.setPolarisation(1);
    t.setFrequency(12345678);
    t.setFec(5);
    Record rt = t.ToRecord();
    EXPECT_EQ(Read(g, kTransponder, rt, "satelliteRef"), kNone);
    EXPECT_EQ(Read(g, kTransponder, rt, "frequency"), 12345678);
    EXPECT_EQ(Read(g, kTransponder, rt, "fec"), 5);

    gen2::ServiceRecord c;
    c.setAccessSystems(0x7FF);
    c.setLocked(true);
    c.setFavoriteMask(0xFFFF);
    c.setName("Abc, \"d\"");
    Record rc = c.ToRecord();
    EXPECT_EQ(Read(g, kRadio, rc, "accessSystems"), 0x7FF);
    EXPECT_EQ(Read(g, kRadio, rc, "locked"), 1);
    EXPECT_EQ(Read(g, kRadio, rc, "hideAudio"), 0);
    EXPECT_EQ(Read(g, kRadio, rc, "favoriteMask"), 0xFFFF);
    const FieldSpec* name = NameField(FieldsOf(g, kRadio));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(FieldName(*name, rc), "Abc, \"d\"");
    EXPECT_EQ(NameBytesHex(*name, rc), "4162632c20226422");
}

TEST(FieldTable, EveryFieldLiesInsideItsRecord) {
    const size_t sizes[2][5] = {{44, 24, 56, 56, 16}, {60, 32, 48, 48, 16}};
    for (Generation g : {Generation::kFirst, Generation::kSecond})
        for (int kind = 0; kind < kKindCount; ++kind)
            for (const FieldSpec& f : FieldsOf(g, kind)) {
                EXPECT_LE(f.offset + size_t(f.width) * f.count,
                          sizes[g == Generation::kSecond][kind])
                    << f.name;
                EXPECT_LE(f.firstBit + f.bitCount, f.width * 8) << f.name;
            }
}

}  // namespace
}  // namespace brondavel
