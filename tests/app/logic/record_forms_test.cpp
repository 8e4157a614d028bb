#include "app/logic/record_forms.h"

#include <gtest/gtest.h>

#include "app/logic/record_options.h"

namespace brondavel::app {
namespace {

TEST(RecordForms, FirstGenSatelliteKeepsTheBitsNoControlNames) {
    SatelliteRecord s = SatelliteRecord::Default(0);
    // Bits 0-1, 8-16, 19-25 and 28-31 of the switch word belong to nobody.
    s.setSwitchWord(0xF3F9FF03u);
    s.setLnbPower(2);
    s.setLongitude(-135);
    const SatelliteForm shown = ReadForm(s);
    SatelliteForm f = shown;
    EXPECT_EQ(f.degree, "13.5");
    EXPECT_EQ(f.side, kWest);
    EXPECT_EQ(f.lnbPower, 2);

    f.lnbPower = 3;
    f.tone22k = 1;
    f.diseqcVersion = 1;
    f.diseqcPort = 16;
    f.degree = "400";
    f.lnbType = kLnbOcs;
    f.lnbHighFreq = 5150;
    f.lnbLowFreq = 5750;
    WriteForm(f, shown, s);
    EXPECT_EQ(s.switchWord() & 0xF3F9FF03u, 0xF3F9FF03u & ~((3u << 26) | (3u << 17)));
    EXPECT_EQ(s.lnbPower(), 3u);
    EXPECT_EQ(s.tone22k(), 1u);
    EXPECT_EQ(s.diseqcVersion(), 1u);
    EXPECT_EQ(s.diseqcPort(), 16u);
    EXPECT_EQ(s.longitude(), 0);
    EXPECT_EQ(s.lnbType(), 2u);
    EXPECT_EQ(s.lnbHighFreq(), 5150u);
    EXPECT_EQ(s.lnbLowFreq(), 5750u);
    EXPECT_EQ(s.typeCode(), 3999);
}

TEST(RecordForms, AudioSlotsBecomeRowsAndRowsBecomeSlots) {
    ServiceRecord c = ServiceRecord::Default();
    c.setAudioPid(0, 0x1FFF);
    c.setAudioPid(1, 101);
    c.setAudioAc3(1, true);
    c.setAudioLanguage(1, 12);
    c.setAudioPid(2, 0);
    c.setAudioLanguage(2, 3);
    c.setAudio(3, 0x8000 | 103);
    c.setAudioLanguage(3, 200);
    c.setAudioIndex(2);
    const ChannelForm shown = ReadForm(c);
    ASSERT_EQ(shown.audio.size(), 2u);
    EXPECT_EQ(shown.audio[0], (AudioRow{"101", "POLISH", true}));
    EXPECT_EQ(shown.audio[1], (AudioRow{"103", "UNKNOW", false}));
    EXPECT_EQ(LanguageValue("polish"), 127);  // names compare exactly

    // The first row deleted, one added: the row left as shown keeps its
    // slot's bits and language byte, the new one is built from its cells.
    ChannelForm f = shown;
    f.audio.erase(f.audio.begin());
    f.audio.push_back({"99999", "POLISH", false});  // 13 bits; POLISH saves as 8
    WriteForm(f, shown, c);
    EXPECT_EQ(c.audio(0), 0x8000 | 103);
    EXPECT_EQ(c.audioLanguage(0), 200);
    EXPECT_EQ(c.audio(1), 99999 & 0x1FFF);
    EXPECT_EQ(c.audioLanguage(1), 8);
    EXPECT_EQ(c.audio(2), 0);
    EXPECT_EQ(c.audioLanguage(2), 0);
    EXPECT_EQ(c.audio(3), 0);
    // The selected entry pointed past the two that are left.
    EXPECT_EQ(c.audioIndex(), 0u);
}

TEST(RecordForms, UnlistedAudioEntriesSurviveASave) {
    ServiceRecord c = ServiceRecord::Default();
    c.setAudioPid(0, 200);
    c.setAudioLanguage(0, 4);
    c.setHideAudio(true);
    const ChannelForm shown = ReadForm(c);
    EXPECT_TRUE(shown.audio.empty());
    ChannelForm f = shown;
    f.locked = true;
    WriteForm(f, shown, c);
    EXPECT_EQ(c.audioPid(0), 200);
    EXPECT_EQ(c.audioLanguage(0), 4);
    // Entries the user lists replace them.
    f.audio.push_back({"300", "ENGLISH", false});
    WriteForm(f, shown, c);
    EXPECT_EQ(c.audioPid(0), 300);
    EXPECT_EQ(c.audioLanguage(0), 0);
}

TEST(RecordForms, FirstGenChannelFlagsModeAndFavourites) {
    ServiceRecord c = ServiceRecord::Default();
    // Access bits without the scrambled bit are not shown.
    c.setAccessSystems(0x7FF);
    c.setFlags(c.flags() | (1u << 15) | (1u << 16) | (1u << 18) | (1u << 2));
    c.setModeWord(0xF0000FF2u);
    const ChannelForm shown = ReadForm(c);
    ChannelForm f = shown;
    EXPECT_EQ(f.accessSystems, 0u);
    EXPECT_EQ(f.audioMode, 2);
    EXPECT_TRUE(f.audio.empty());

    f.accessSystems = (1u << 0) | (1u << 10);
    f.favorites = (1u << 0) | (1u << 15);
    f.locked = true;
    f.audioMode = 3;
    WriteForm(f, shown, c);
    // Bits 3-15: the scrambled bit and the two systems, bit 15 cleared.
    EXPECT_EQ(c.flags() & 0xFFF8u, (1u << 3) | (1u << 4) | (1u << 14));
    EXPECT_EQ(c.flags() & ~0xFFF8u, 1u | (1u << 2) | (1u << 16) | (1u << 18));
    EXPECT_EQ(c.modeWord(), 0xF0000FF3u | (1u << 12) | (1u << 27));
    EXPECT_EQ(ReadForm(c).accessSystems, f.accessSystems);

    const ChannelForm ticked = ReadForm(c);
    f.accessSystems = 0;
    f.locked = false;
    WriteForm(f, ticked, c);
    EXPECT_FALSE(c.scrambled());
    EXPECT_FALSE(c.locked());
}

TEST(RecordForms, SecondGenChannelFlags) {
    gen2::ServiceRecord c = gen2::ServiceRecord::Default();
    c.setFlags(0xFFFF & ~(1u << 2));
    const ChannelForm shown = ReadForm(c);
    ChannelForm f = shown;
    EXPECT_EQ(f.accessSystems, 0x7FFu);
    EXPECT_TRUE(f.locked);
    EXPECT_EQ(f.audioMode, 0);
    f.accessSystems = 1u << 3;
    f.locked = false;
    f.favorites = 0x8001;
    WriteForm(f, shown, c);
    // Bits 1, 3 and 4 belong to nobody and stay.
    EXPECT_EQ(c.flags(), (1u << 1) | (1u << 3) | (1u << 4) | (1u << 8));
    EXPECT_EQ(c.favoriteMask(), 0x8001);
}

}  // namespace
}  // namespace brondavel::app
