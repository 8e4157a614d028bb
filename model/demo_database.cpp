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

// What the generations' demos do differently.
struct FirstGenDemo {
    using Satellite = SatelliteRecord;
    using Transponder = TransponderRecord;
    using Channel = ServiceRecord;
    static constexpr int kTransponders = 2040, kTv = 3500, kRadio = 1096;

    static void MarkSatellite(Satellite&, int) {}
    static void MarkScrambled(Channel& c, uint32_t systems) {
        c.setScrambled(true);
        c.setAccessSystems(systems);
    }
    static void SetName(Channel& c, const std::string& utf8) {
        text::StoreName(utf8, c.stored.data() + Channel::kNameOffset, Channel::kNameSize,
                        text::kChannelNameChars);
    }
};

struct SecondGenDemo {
    using Satellite = gen2::SatelliteRecord;
    using Transponder = gen2::TransponderRecord;
    using Channel = gen2::ServiceRecord;
    static constexpr int kTransponders = 2000, kTv = 4000, kRadio = 2000;

    // Only the first satellite of an orbit carries the code; a save hands it
    // on to the others at the same longitude.
    static void MarkSatellite(Satellite& s, int i) {
        if (i < int(std::size(kOrbits))) s.setPositionCode(static_cast<uint16_t>(i + 1));
    }
    static void MarkScrambled(Channel& c, uint32_t systems) { c.setAccessSystems(systems); }
    static void SetName(Channel& c, const std::string& utf8) { c.setName(text::Utf8ToAnsi(utf8)); }
};

template <typename Gen>
void FillDemo(DatabaseEngine& db, const DemoSize& size, uint32_t seed) {
    Lcg rng{seed};
    const int satCount = std::min<int>(size.satellites, 64);
    std::vector<typename Gen::Satellite> sats;
    for (int i = 0; i < satCount; ++i) {
        auto s = Gen::Satellite::Default(i);
        const Orbit& o = kOrbits[i % std::size(kOrbits)];
        s.setLongitude(o.longitude);
        Gen::MarkSatellite(s, i);
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

    std::vector<typename Gen::Transponder> tps;
    const int tpCount = std::min(satCount * size.transpondersPerSatellite, Gen::kTransponders);
    for (int i = 0; i < tpCount; ++i) {
        auto t = Gen::Transponder::Default();
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
        std::vector<typename Gen::Channel> channels;
        for (int i = 0; i < count && tpCount > 0; ++i) {
            auto c = Gen::Channel::Default();
            FillChannelHead(c, kind, i, tpCount, rng);
            if (i % 5 == 1) Gen::MarkScrambled(c, 1u << rng.Below(11));
            if (i % 6 == 0)
                c.setFavoriteMask(static_cast<decltype(c.favoriteMask())>(1u << rng.Below(16)));
            Gen::SetName(c, DemoChannelName(kind, i));
            channels.push_back(c);
        }
        Append(db, kind, channels);
    };
    makeChannels(kTv, std::min(size.tv, Gen::kTv));
    makeChannels(kRadio, std::min(size.radio, Gen::kRadio));
    db.UpdateActiveMarks();
}

}  // namespace

void FillFirstGenDemo(DatabaseEngine& db, const DemoSize& size, uint32_t seed) {
    FillDemo<FirstGenDemo>(db, size, seed);
}

void FillSecondGenDemo(DatabaseEngine& db, const DemoSize& size, uint32_t seed) {
    FillDemo<SecondGenDemo>(db, size, seed);
}

}  // namespace brondavel
