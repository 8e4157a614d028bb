#include "model/demo_database.h"

#include <cstdio>
#include <string>
#include <vector>

#include "model/first_gen_records.h"
#include "model/second_gen_records.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

struct Lcg {
    uint32_t state;
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int Below(int n) { return n > 0 ? static_cast<int>(Next() % uint32_t(n)) : 0; }
};

struct Orbit {
    int16_t longitude;
    const char* name;
};
constexpr Orbit kOrbits[] = {
    {192, "Astra 1"},   {130, "Hotbird"},     {-70, "Nilesat"},     {260, "Badr"},
    {420, "Turksat"},   {-8, "Thor"},         {282, "Astra 2"},     {90, "Eutelsat 9"},
    {-300, "Hispasat"}, {360, "Eutelsat 36"}, {-50, "Eutelsat 5W"}, {685, "Intelsat 20"},
};

const char* const kLatinNames[] = {
    "News 24",   "Sport One", "Movie Max", "Kids Club", "Music Hits", "Doc World",
    "Travel HD", "Cuisine",   "Classic",   "Cinema 2",  "Nature",     "Series Plus",
    "Comedy",    "Science",   "Auto TV",   "Fashion",   "Weather",    "Shop 24"};
const char* const kArabicNames[] = {"الجزيرة",  "العربية",  "الأولى", "قناة النيل",
                                    "الرياضية", "الثقافية", "أفلام",  "أطفال"};
const char* const kRadioNames[] = {"Radio One",    "Jazz FM", "Classic FM", "Talk Radio",
                                   "إذاعة القرآن", "Pop 100", "News Radio", "Rock Live"};

// What both generations' demo channels share: PIDs, audio and the lock.
template <typename Channel>
void FillChannelHead(Channel& c, int kind, int i, int tpCount, Lcg& rng) {
    c.setTransponderRef(static_cast<uint16_t>(rng.Below(tpCount)));
    c.setServiceId(static_cast<uint16_t>(1 + i));
    const uint16_t base = static_cast<uint16_t>(0x100 + 0x20 * (i % 200));
    c.setPmtPid(base);
    c.setPcrPid(static_cast<uint16_t>(base + 1));
    if (kind == kTv) {
        c.setVideoPid(static_cast<uint16_t>(base + 1));
        c.setTeletextPid(i % 3 == 0 ? static_cast<uint16_t>(base + 5) : 0x1FFF);
    }
    c.setAudioPid(0, static_cast<uint16_t>(base + 2));
    if (i % 4 == 0) {
        c.setAudioPid(1, static_cast<uint16_t>(base + 3));
        c.setAudioAc3(1, i % 8 == 0);
    }
    c.setLocked(i % 17 == 5);
}

std::string DemoChannelName(int kind, int i) {
    std::string name;
    if (kind == kRadio)
        name = kRadioNames[i % std::size(kRadioNames)];
    else if (i % 9 == 4)
        name = kArabicNames[(i / 9) % std::size(kArabicNames)];
    else
        name = kLatinNames[i % std::size(kLatinNames)];
    if (i >= 18) name += " " + std::to_string(i / 18);
    return name;
}

template <typename Typed>
void Append(DatabaseEngine& db, int kind, std::vector<Typed>& typed) {
    std::vector<Record> records;
    const int base = db.list(kind).Count();
    for (size_t i = 0; i < typed.size(); ++i) {
        typed[i].id = static_cast<uint16_t>(base + i);
        records.push_back(typed[i].ToRecord());
    }
    db.AddRecords(kind, nullptr, records.data(), static_cast<int>(records.size()));
}

void StoreReceiverName(uint8_t* field, size_t size, const std::string& utf8, size_t chars) {
    text::StoreName(utf8, field, size, chars);
}

}  // namespace

void FillFirstGenDemo(DatabaseEngine& db, const DemoSize& size, uint32_t seed) {
    Lcg rng{seed};
    const int satCount = std::min<int>(size.satellites, 64);
    std::vector<SatelliteRecord> sats;
    for (int i = 0; i < satCount; ++i) {
        SatelliteRecord s = SatelliteRecord::Default(i);
        const Orbit& o = kOrbits[i % std::size(kOrbits)];
        s.setLongitude(o.longitude);
        char name[24];
        std::snprintf(name, sizeof name, i < int(std::size(kOrbits)) ? "%s" : "%s %d", o.name,
                      i / int(std::size(kOrbits)));
        s.setName(name);
        s.setLnbPower(1 + rng.Below(2));
        s.setTone22k(2);
        s.setDiseqcPort(i % 4 + 1);
        sats.push_back(s);
    }
    Append(db, kSatellite, sats);

    std::vector<TransponderRecord> tps;
    const int tpCount = std::min(satCount * size.transpondersPerSatellite, 2040);
    for (int i = 0; i < tpCount; ++i) {
        TransponderRecord t = TransponderRecord::Default();
        t.setSatelliteRef(static_cast<uint32_t>(i % satCount));
        t.setFrequency(10700 + static_cast<uint32_t>(rng.Below(2050)));
        static constexpr uint32_t rates[] = {22000, 27500, 29900, 30000, 5632};
        t.setSymbolRate(rates[rng.Below(5)]);
        t.setPolarisation(1 + rng.Below(2));
        static constexpr uint32_t fecs[] = {2, 3, 5, 7};
        t.setFec(fecs[rng.Below(4)]);
        char name[16];
        std::snprintf(name, sizeof name, "TP %d", i + 1);
        t.setName(name);
        tps.push_back(t);
    }
    Append(db, kTransponder, tps);

    auto makeChannels = [&](int kind, int count) {
        std::vector<ServiceRecord> channels;
        for (int i = 0; i < count && tpCount > 0; ++i) {
            ServiceRecord c = ServiceRecord::Default();
            FillChannelHead(c, kind, i, tpCount, rng);
            if (i % 5 == 1) {
                c.setScrambled(true);
                c.setAccessSystems(1u << rng.Below(11));
            }
            if (i % 6 == 0) c.setFavoriteMask(1u << rng.Below(16));
            const std::string name = DemoChannelName(kind, i);
            StoreReceiverName(c.stored.data() + ServiceRecord::kNameOffset,
                              ServiceRecord::kNameSize, name, text::kChannelNameChars);
            channels.push_back(c);
        }
        Append(db, kind, channels);
    };
    makeChannels(kTv, std::min(size.tv, 3500));
    makeChannels(kRadio, std::min(size.radio, 1096));
    db.UpdateActiveMarks();
}

void FillSecondGenDemo(DatabaseEngine& db, const DemoSize& size, uint32_t seed) {
    Lcg rng{seed};
    const int satCount = std::min<int>(size.satellites, 64);
    std::vector<gen2::SatelliteRecord> sats;
    for (int i = 0; i < satCount; ++i) {
        gen2::SatelliteRecord s = gen2::SatelliteRecord::Default(i);
        const Orbit& o = kOrbits[i % std::size(kOrbits)];
        s.setLongitude(o.longitude);
        // Only the first satellite of an orbit carries the code; a save
        // hands it on to the others at the same longitude.
        if (i < int(std::size(kOrbits))) s.setPositionCode(static_cast<uint16_t>(i + 1));
        char name[24];
        std::snprintf(name, sizeof name, i < int(std::size(kOrbits)) ? "%s" : "%s %d", o.name,
                      i / int(std::size(kOrbits)));
        s.setName(name);
        s.setLnbPower(static_cast<uint16_t>(1 + rng.Below(2)));
        s.setTone22k(2);
        s.setDiseqcPort(static_cast<uint16_t>(i % 4 + 1));
        sats.push_back(s);
    }
    Append(db, kSatellite, sats);

    std::vector<gen2::TransponderRecord> tps;
    const int tpCount = std::min(satCount * size.transpondersPerSatellite, 2000);
    for (int i = 0; i < tpCount; ++i) {
        gen2::TransponderRecord t = gen2::TransponderRecord::Default();
        t.setSatelliteRef(static_cast<uint16_t>(i % satCount));
        t.setFrequency(10700 + static_cast<uint32_t>(rng.Below(2050)));
        static constexpr uint32_t rates[] = {22000, 27500, 29900, 30000, 5632};
        t.setSymbolRate(rates[rng.Below(5)]);
        t.setPolarisation(static_cast<uint16_t>(1 + rng.Below(2)));
        static constexpr uint16_t fecs[] = {2, 3, 5, 7};
        t.setFec(fecs[rng.Below(4)]);
        char name[16];
        std::snprintf(name, sizeof name, "TP %d", i + 1);
        t.setName(name);
        tps.push_back(t);
    }
    Append(db, kTransponder, tps);

    auto makeChannels = [&](int kind, int count) {
        std::vector<gen2::ServiceRecord> channels;
        for (int i = 0; i < count && tpCount > 0; ++i) {
            gen2::ServiceRecord c = gen2::ServiceRecord::Default();
            FillChannelHead(c, kind, i, tpCount, rng);
            if (i % 5 == 1) c.setAccessSystems(1u << rng.Below(11));
            if (i % 6 == 0) c.setFavoriteMask(static_cast<uint16_t>(1u << rng.Below(16)));
            const std::string name = DemoChannelName(kind, i);
            std::string ansi = text::Utf8ToAnsi(name);
            c.setName(ansi);
            channels.push_back(c);
        }
        Append(db, kind, channels);
    };
    makeChannels(kTv, std::min(size.tv, 4000));
    makeChannels(kRadio, std::min(size.radio, 2000));
    db.UpdateActiveMarks();
}

}  // namespace brondavel
