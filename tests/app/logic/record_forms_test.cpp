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
    EXPECT_EQ(std::tie(shown.degree, shown.side, shown.lnbPower), std::tuple("13.5", kWest, 2));

    SatelliteForm f = shown;
    f.degree = "400";
    std::tie(f.lnbPower, f.tone22k, f.diseqcVersion, f.diseqcPort, f.lnbType, f.lnbHighFreq,
             f.lnbLowFreq) = std::tuple(3, 1, 1, 16, kLnbOcs, 5150, 5750);
    WriteForm(f, shown, s);
    EXPECT_EQ(s.switchWord() & 0xF3F9FF03u, 0xF3F9FF03u & ~((3u << 26) | (3u << 17)));
    EXPECT_EQ(std::tuple(s.lnbPower(), s.tone22k(), s.diseqcVersion(), s.diseqcPort(), s.lnbType(),
                         s.lnbHighFreq(), s.lnbLowFreq(), s.longitude(), s.typeCode()),
              std::tuple(3u, 1u, 1u, 16u, 2u, 5150u, 5750u, 0, 3999));
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
    EXPECT_EQ(shown.audio,
              (std::vector<AudioRow>{{"101", "POLISH", true}, {"103", "UNKNOW", false}}));
    EXPECT_EQ(LanguageValue("polish"), 127);  // names compare exactly

    // The first row deleted, one added: the row left as shown keeps its
    // slot's bits and language byte, the new one is built from its cells
    // (13 bits of the PID; POLISH saves as 8). The selected entry pointed
    // past the two that are left.
    ChannelForm f = shown;
    f.audio.erase(f.audio.begin());
    f.audio.push_back({"99999", "POLISH", false});
    WriteForm(f, shown, c);
    EXPECT_EQ(std::tuple(c.audio(0), c.audioLanguage(0), c.audio(1), c.audioLanguage(1), c.audio(2),
                         c.audioLanguage(2), c.audio(3), c.audioIndex()),
              std::tuple(0x8000 | 103, 200, 99999 & 0x1FFF, 8, 0, 0, 0, 0u));
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
    EXPECT_EQ(std::tuple(c.audioPid(0), c.audioLanguage(0)), std::tuple(200, 4));
    // Entries the user lists replace them.
    f.audio.push_back({"300", "ENGLISH", false});
    WriteForm(f, shown, c);
    EXPECT_EQ(std::tuple(c.audioPid(0), c.audioLanguage(0)), std::tuple(300, 0));
}

TEST(RecordForms, FirstGenChannelFlagsModeAndFavourites) {
    ServiceRecord c = ServiceRecord::Default();
    // Access bits without the scrambled bit are not shown.
    c.setAccessSystems(0x7FF);
    c.setFlags(c.flags() | (1u << 15) | (1u << 16) | (1u << 18) | (1u << 2));
    c.setModeWord(0xF0000FF2u);
    const ChannelForm shown = ReadForm(c);
    EXPECT_EQ(std::tie(shown.accessSystems, shown.audioMode), std::tuple(0u, 2));
    EXPECT_TRUE(shown.audio.empty());
    ChannelForm f = shown;

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
    EXPECT_FALSE(c.scrambled() || c.locked());
}

TEST(RecordForms, SecondGenChannelFlags) {
    gen2::ServiceRecord c = gen2::ServiceRecord::Default();
    c.setFlags(0xFFFF & ~(1u << 2));
    const ChannelForm shown = ReadForm(c);
    EXPECT_EQ(std::tie(shown.accessSystems, shown.locked, shown.audioMode),
              std::tuple(0x7FFu, true, 0));
    ChannelForm f = shown;
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
