#include "app/logic/record_forms.h"

#include <algorithm>

#include "app/logic/number_entry.h"
#include "text/conexant_text.h"

namespace brondavel::app {

namespace {

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
void WriteSatelliteOptions(const SatelliteForm& f, const SatelliteForm& shown, Typed& s) {
    if (f.degree != shown.degree || f.side != shown.side)
        s.setLongitude(ReadLongitude(f.degree, f.side == kWest));
    if (f.lnbType != shown.lnbType) s.setLnbType(f.lnbType);
    if (f.lnbHighFreq != shown.lnbHighFreq) s.setLnbHighFreq(f.lnbHighFreq);
    if (f.lnbLowFreq != shown.lnbLowFreq) s.setLnbLowFreq(f.lnbLowFreq);
    if (f.lnbPower != shown.lnbPower) s.setLnbPower(f.lnbPower);
    if (f.diseqcVersion != shown.diseqcVersion) s.setDiseqcVersion(f.diseqcVersion);
    if (f.diseqcPort != shown.diseqcPort) s.setDiseqcPort(f.diseqcPort);
    if (f.tone22k != shown.tone22k) s.setTone22k(f.tone22k);
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
void WriteTransponderFields(const TransponderForm& f, const TransponderForm& shown, Typed& t) {
    if (f.frequency != shown.frequency) t.setFrequency(ReadDigits(f.frequency));
    if (f.symbolRate != shown.symbolRate) t.setSymbolRate(ReadDigits(f.symbolRate));
    if (f.polarisation != shown.polarisation) t.setPolarisation(f.polarisation);
    if (f.fec != shown.fec) t.setFec(f.fec);
    if (f.satelliteRef != shown.satelliteRef) t.setSatelliteRef(f.satelliteRef);
}

// The slots whose entries the audio list shows, in list order.
template <typename Typed>
std::vector<int> ListedAudioSlots(const Typed& c) {
    std::vector<int> slots;
    if (!c.hideAudio())
        for (int i = 0; i < kAudioSlots; ++i)
            if (!c.audioEmpty(i)) slots.push_back(i);
    return slots;
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
    for (int i : ListedAudioSlots(c))
        f.audio.push_back(
            {NumberText(c.audioPid(i)), LanguageName(c.audioLanguage(i)), c.audioAc3(i)});
    f.favorites = c.favoriteMask();
    f.transponderRef = c.transponderRef();
}

// Rebuilds the audio slots from a changed list: row r fills slot r. A row
// left as it was shown keeps its slot's word and language byte as loaded,
// bits the list does not show included. False when the slots stay.
template <typename Typed>
bool WriteAudioSlots(const ChannelForm& f, const ChannelForm& shown, Typed& c) {
    // Unlisted entries stay too: an empty list never showed them.
    if (f.audio == shown.audio) return false;
    const std::vector<int> listed = ListedAudioSlots(c);
    const Typed before = c;
    std::vector<bool> kept(shown.audio.size(), false);
    for (int i = 0; i < kAudioSlots; ++i) {
        c.setAudio(i, 0);
        c.setAudioLanguage(i, 0);
    }
    const int rows = std::min<int>(kAudioSlots, static_cast<int>(f.audio.size()));
    for (int r = 0; r < rows; ++r) {
        const AudioRow& row = f.audio[r];
        size_t k = 0;
        while (k < shown.audio.size() && (kept[k] || !(shown.audio[k] == row))) ++k;
        if (k < shown.audio.size() && k < listed.size()) {
            kept[k] = true;
            c.setAudio(r, before.audio(listed[k]));
            c.setAudioLanguage(r, before.audioLanguage(listed[k]));
            continue;
        }
        c.setAudioPid(r, static_cast<uint16_t>(ReadDigits(row.pid)));
        c.setAudioAc3(r, row.ac3);
        c.setAudioLanguage(r, static_cast<uint8_t>(LanguageValue(row.language)));
    }
    return true;
}

// True when the audio slots were rebuilt from the list.
template <typename Typed>
bool WriteChannelFields(const ChannelForm& f, const ChannelForm& shown, Typed& c) {
    auto setNumber = [](const std::string& entered, const std::string& was, auto set) {
        if (entered != was) set(static_cast<uint16_t>(ReadDigits(entered)));
    };
    setNumber(f.videoPid, shown.videoPid, [&c](uint16_t v) { c.setVideoPid(v); });
    setNumber(f.pcrPid, shown.pcrPid, [&c](uint16_t v) { c.setPcrPid(v); });
    setNumber(f.pmtPid, shown.pmtPid, [&c](uint16_t v) { c.setPmtPid(v); });
    setNumber(f.teletextPid, shown.teletextPid, [&c](uint16_t v) { c.setTeletextPid(v); });
    setNumber(f.serviceId, shown.serviceId, [&c](uint16_t v) { c.setServiceId(v); });
    if (f.locked != shown.locked) c.setLocked(f.locked);
    if (f.favorites != shown.favorites)
        c.setFavoriteMask(static_cast<uint16_t>(f.favorites.to_ulong()));
    if (f.transponderRef != shown.transponderRef)
        c.setTransponderRef(static_cast<uint16_t>(f.transponderRef));
    return WriteAudioSlots(f, shown, c);
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

void WriteForm(const SatelliteForm& f, const SatelliteForm& shown, SatelliteRecord& s) {
    WriteSatelliteOptions(f, shown, s);
}

void WriteForm(const SatelliteForm& f, const SatelliteForm& shown, gen2::SatelliteRecord& s) {
    WriteSatelliteOptions(f, shown, s);
    if (f.switch12V != shown.switch12V) s.setSwitch12V(static_cast<uint16_t>(f.switch12V));
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

void WriteForm(const TransponderForm& f, const TransponderForm& shown, TransponderRecord& t) {
    WriteTransponderFields(f, shown, t);
}

void WriteForm(const TransponderForm& f, const TransponderForm& shown, gen2::TransponderRecord& t) {
    WriteTransponderFields(f, shown, t);
}

ChannelForm ReadForm(const ServiceRecord& c) {
    ChannelForm f;
    f.name = text::NameToDisplay(c.name());
    ReadChannelFields(c, f);
    // The system bits count only while the scrambled bit is set.
    if (c.scrambled()) f.accessSystems = c.accessSystems();
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

void WriteForm(const ChannelForm& f, const ChannelForm& shown, ServiceRecord& c) {
    if (WriteChannelFields(f, shown, c) && c.audioIndex() >= f.audio.size()) c.setAudioIndex(0);
    if (f.accessSystems != shown.accessSystems) {
        // Bits 3-15 of the flags belong to the access boxes: bit 15 is
        // cleared along with the scrambled bit and the eleven systems.
        constexpr uint32_t kAccessBits = 0xFFF8;
        c.setFlags(c.flags() & ~kAccessBits);
        c.setAccessSystems(static_cast<uint32_t>(f.accessSystems.to_ulong()));
        c.setScrambled(f.accessSystems.any());
    }
    if (f.audioMode != shown.audioMode) c.setAudioMode(f.audioMode);
}

void WriteForm(const ChannelForm& f, const ChannelForm& shown, gen2::ServiceRecord& c) {
    WriteChannelFields(f, shown, c);
    if (f.accessSystems != shown.accessSystems)
        c.setAccessSystems(static_cast<uint32_t>(f.accessSystems.to_ulong()));
}

}  // namespace brondavel::app
