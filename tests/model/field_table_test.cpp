// The field tables read the same bits the typed accessors write.
#include "model/field_table.h"

#include <gtest/gtest.h>

#include "model/first_gen_records.h"
#include "model/second_gen_records.h"

namespace brondavel {
namespace {

struct Expected {
    const char* name;
    int64_t value;
    int element = 0;
};

void ExpectFields(Generation g, int kind, const Record& r, std::initializer_list<Expected> fields) {
    for (const Expected& e : fields) {
        const FieldSpec* f = FindField(FieldsOf(g, kind), e.name);
        ASSERT_NE(f, nullptr) << e.name;
        EXPECT_EQ(FieldNumber(*f, r, e.element), e.value) << e.name;
    }
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
    ExpectFields(g, kSatellite, s.ToRecord(),
                 {{"longitude", -70},
                  {"lnbHighFreq", 10600},
                  {"lnbLowFreq", 9750},
                  {"diseqcPort", 17},
                  {"tone22k", 2},
                  {"lnbPower", 3}});

    TransponderRecord t;
    t.setSatelliteRef(0xABC);
    t.setFrequency(0xFFFFF);
    t.setPolarisation(1);
    t.setFec(7);
    ExpectFields(
        g, kTransponder, t.ToRecord(),
        {{"satelliteRef", 0xABC}, {"frequency", 0xFFFFF}, {"polarisation", 1}, {"fec", 7}});

    ServiceRecord c;
    c.setAudio(3, 0x4123);
    c.setAudioLanguage(2, 9);
    c.setAccessSystems(0x401);
    c.setHideAudio(true);
    c.setAudioIndex(63);
    c.setFavoriteMask(0x8001);
    c.setAudioMode(2);
    ExpectFields(g, kTv, c.ToRecord(),
                 {{"audio", 0x4123, 3},
                  {"audioLanguage", 9, 2},
                  {"accessSystems", 0x401},
                  {"hideAudio", 1},
                  {"scrambled", 0},
                  {"audioIndex", 63},
                  {"favoriteMask", 0x8001},
                  {"audioMode", 2}});
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
    ExpectFields(
        g, kSatellite, s.ToRecord(),
        {{"positionCode", 7}, {"longitude", -300}, {"switch12V", 1}, {"lnbLowFreq", 5150}});

    gen2::TransponderRecord t;
    t.setSatelliteRef(kNone);
    t.setFrequency(12345678);
    t.setFec(5);
    ExpectFields(g, kTransponder, t.ToRecord(),
                 {{"satelliteRef", kNone}, {"frequency", 12345678}, {"fec", 5}});

    gen2::ServiceRecord c;
    c.setAccessSystems(0x7FF);
    c.setLocked(true);
    c.setFavoriteMask(0xFFFF);
    c.setName("Abc, \"d\"");
    const Record rc = c.ToRecord();
    ExpectFields(
        g, kRadio, rc,
        {{"accessSystems", 0x7FF}, {"locked", 1}, {"hideAudio", 0}, {"favoriteMask", 0xFFFF}});
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
