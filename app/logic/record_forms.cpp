#include "app/logic/record_forms.h"

#include <algorithm>

#include "app/logic/number_entry.h"
#include "model/first_gen_layout.h"
#include "model/second_gen_layout.h"
#include "text/conexant_text.h"

namespace brondavel::app {

namespace {

// Names go into the record the way every editor of the core stores them
// (the edit box's character limit, then the field's limits).
template <typename Layout, typename Typed>
void StoreNameAs(int kind, Typed& record, const std::string& utf8) {
    static const Layout layout;
    Record r = record.ToRecord();
    layout.StoreNameText(kind, r, utf8);
    record.FromRecord(r);
}

template <typename Typed>
void ReadSatelliteOptions(const Typed& s, SatelliteForm& f) {
    f.degree = LongitudeDegreeText(s.longitude());
    f.side = LongitudeSide(s.longitude());
    f.lnbType = static_cast<int>(s.lnbType());
    f.lnbHighFreq = static_cast<int>(s.lnbHighFreq());
    f.lnbLowFreq = static_cast<int>(s.lnbLowFreq());
    f.lnbPower = static_cast<int>(s.lnbPower());
    f.diseqcVersion = static_cast<int>(s.diseqcVersion());
    f.diseqcPort = static_cast<int>(s.diseqcPort());
    f.tone22k = static_cast<int>(s.tone22k());
}

template <typename Typed>
void WriteSatelliteOptions(const SatelliteForm& f, Typed& s) {
    s.setLongitude(ReadLongitude(f.degree, f.side == kWest));
    s.setLnbType(f.lnbType);
    s.setLnbHighFreq(f.lnbHighFreq);
    s.setLnbLowFreq(f.lnbLowFreq);
    s.setLnbPower(f.lnbPower);
    s.setDiseqcVersion(f.diseqcVersion);
    s.setDiseqcPort(f.diseqcPort);
    s.setTone22k(f.tone22k);
}

template <typename Typed>
void ReadTransponderFields(const Typed& t, TransponderForm& f) {
    f.frequency = NumberText(t.frequency());
    f.symbolRate = NumberText(t.symbolRate());
    f.polarisation = static_cast<int>(t.polarisation());
    f.fec = static_cast<int>(t.fec());
    f.satelliteRef = static_cast<int>(t.satelliteRef());
}

template <typename Typed>
void WriteTransponderFields(const TransponderForm& f, Typed& t) {
    t.setFrequency(ReadDigits(f.frequency));
    t.setSymbolRate(ReadDigits(f.symbolRate));
    t.setPolarisation(f.polarisation);
    t.setFec(f.fec);
    t.setSatelliteRef(f.satelliteRef);
}

template <typename Typed>
void ReadChannelFields(const Typed& c, ChannelForm& f) {
    f.videoPid = NumberText(c.videoPid());
    f.pcrPid = NumberText(c.pcrPid());
    f.pmtPid = NumberText(c.pmtPid());
    f.teletextPid = NumberText(c.teletextPid());
    f.serviceId = NumberText(c.serviceId());
    f.locked = c.locked();
    f.audioListed = !c.hideAudio();
    if (f.audioListed)
        for (int i = 0; i < kAudioSlots; ++i)
            if (!c.audioEmpty(i))
                f.audio.push_back(
                    {NumberText(c.audioPid(i)), LanguageName(c.audioLanguage(i)), c.audioAc3(i)});
    f.favorites = c.favoriteMask();
    f.transponderRef = c.transponderRef();
}

// True when the audio slots were rebuilt from the list.
template <typename Typed>
bool WriteChannelFields(const ChannelForm& f, Typed& c) {
    c.setVideoPid(static_cast<uint16_t>(ReadDigits(f.videoPid)));
    c.setPcrPid(static_cast<uint16_t>(ReadDigits(f.pcrPid)));
    c.setPmtPid(static_cast<uint16_t>(ReadDigits(f.pmtPid)));
    c.setTeletextPid(static_cast<uint16_t>(ReadDigits(f.teletextPid)));
    c.setServiceId(static_cast<uint16_t>(ReadDigits(f.serviceId)));
    c.setLocked(f.locked);
    c.setFavoriteMask(static_cast<uint16_t>(f.favorites));
    c.setTransponderRef(static_cast<uint16_t>(f.transponderRef));
    // Entries the list never showed would be wiped by an empty list: they
    // stay unless the user listed entries of their own.
    if (!f.audioListed && f.audio.empty()) return false;
    for (int i = 0; i < kAudioSlots; ++i) {
        c.setAudio(i, 0);
        c.setAudioLanguage(i, 0);
    }
    const int rows = std::min<int>(kAudioSlots, static_cast<int>(f.audio.size()));
    for (int r = 0; r < rows; ++r) {
        const AudioRow& row = f.audio[r];
        c.setAudioPid(r, static_cast<uint16_t>(ReadDigits(row.pid)));
        c.setAudioAc3(r, row.ac3);
        c.setAudioLanguage(r, static_cast<uint8_t>(LanguageValue(row.language)));
    }
    return true;
}

}  // namespace

SatelliteForm ReadForm(const SatelliteRecord& s) {
    SatelliteForm f;
    f.name = text::NameToDisplay(s.name());
    ReadSatelliteOptions(s, f);
    return f;
}

SatelliteForm ReadForm(const gen2::SatelliteRecord& s) {
    SatelliteForm f;
    f.name = text::AnsiToUtf8(s.name());
    ReadSatelliteOptions(s, f);
    f.switch12V = s.switch12V();
    return f;
}

void WriteForm(const SatelliteForm& f, SatelliteRecord& s) {
    WriteSatelliteOptions(f, s);
    StoreNameAs<FirstGenLayout>(kSatellite, s, f.name);
}

void WriteForm(const SatelliteForm& f, gen2::SatelliteRecord& s) {
    WriteSatelliteOptions(f, s);
    s.setSwitch12V(static_cast<uint16_t>(f.switch12V));
    StoreNameAs<SecondGenLayout>(kSatellite, s, f.name);
}

TransponderForm ReadForm(const TransponderRecord& t) {
    TransponderForm f;
    f.name = text::NameToDisplay(t.name());
    ReadTransponderFields(t, f);
    return f;
}

TransponderForm ReadForm(const gen2::TransponderRecord& t) {
    TransponderForm f;
    f.name = text::AnsiToUtf8(t.name());
    ReadTransponderFields(t, f);
    return f;
}

void WriteForm(const TransponderForm& f, TransponderRecord& t) {
    WriteTransponderFields(f, t);
    StoreNameAs<FirstGenLayout>(kTransponder, t, f.name);
}

void WriteForm(const TransponderForm& f, gen2::TransponderRecord& t) {
    WriteTransponderFields(f, t);
    StoreNameAs<SecondGenLayout>(kTransponder, t, f.name);
}

ChannelForm ReadForm(const ServiceRecord& c) {
    ChannelForm f;
    f.name = text::NameToDisplay(c.name());
    ReadChannelFields(c, f);
    // The system bits count only while the scrambled bit is set.
    f.accessSystems = c.scrambled() ? c.accessSystems() : 0;
    f.audioMode = static_cast<int>(c.audioMode());
    return f;
}

ChannelForm ReadForm(const gen2::ServiceRecord& c) {
    ChannelForm f;
    f.name = text::AnsiToUtf8(c.name());
    ReadChannelFields(c, f);
    f.accessSystems = c.accessSystems();
    // This generation keeps no audio mode.
    f.audioMode = 0;
    return f;
}

void WriteForm(const ChannelForm& f, ServiceRecord& c) {
    if (WriteChannelFields(f, c) && c.audioIndex() >= f.audio.size()) c.setAudioIndex(0);
    // Bits 3-15 of the flags belong to the access boxes: bit 15 is cleared
    // along with the scrambled bit and the eleven systems.
    constexpr uint32_t kAccessBits = 0xFFF8;
    c.setFlags(c.flags() & ~kAccessBits);
    c.setAccessSystems(f.accessSystems);
    c.setScrambled(f.accessSystems != 0);
    c.setAudioMode(f.audioMode);
    StoreNameAs<FirstGenLayout>(kTv, c, f.name);
}

void WriteForm(const ChannelForm& f, gen2::ServiceRecord& c) {
    WriteChannelFields(f, c);
    c.setAccessSystems(f.accessSystems);
    StoreNameAs<SecondGenLayout>(kTv, c, f.name);
}

}  // namespace brondavel::app
