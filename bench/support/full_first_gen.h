// A full first-generation database for the benchmarks: 64 satellites (one
// with 300 transponders), 2040 transponders, 3500 TV and 1096 radio channels,
// with Arabic and Latin names, scrambled, locked and favourite channels.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "model/first_gen_database.h"
#include "model/first_gen_records.h"
#include "text/conexant_text.h"

namespace brondavel::bench {

// Channel names, Arabic and Latin.
inline constexpr const char* kChannelNames[] = {"News 24",   "الجزيرة",   "Sport One",
                                                "العربية",   "Movie Max", "قناة النيل",
                                                "Kids Club", "Music Hits"};

template <typename Typed>
void AddAll(DatabaseEngine& db, int kind, std::vector<Typed>& typed) {
    std::vector<Record> records;
    for (size_t i = 0; i < typed.size(); ++i) {
        typed[i].id = static_cast<uint16_t>(i);
        records.push_back(typed[i].ToRecord());
    }
    db.AddRecords(kind, nullptr, records.data(), static_cast<int>(records.size()));
}

inline void FillFullFirstGen(FirstGenDatabase& db) {
    std::mt19937 rng(42);
    db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0));  // the 16 groups
    std::vector<SatelliteRecord> sats;
    for (int i = 0; i < 64; ++i) {
        SatelliteRecord s = SatelliteRecord::Default(i);
        s.setLongitude(static_cast<int16_t>(int(rng() % 3600) - 1800));
        sats.push_back(s);
    }
    AddAll(db, kSatellite, sats);
    std::vector<TransponderRecord> tps;
    for (int i = 0; i < 2040; ++i) {
        TransponderRecord t = TransponderRecord::Default();
        t.setSatelliteRef(i < 300 ? 0 : 1 + i % 63);
        t.setFrequency(10700 + rng() % 2050);
        t.setSymbolRate(27500);
        t.setName("TP " + std::to_string(i));
        tps.push_back(t);
    }
    AddAll(db, kTransponder, tps);
    for (int kind : {kTv, kRadio}) {
        std::vector<ServiceRecord> channels;
        const int n = kind == kTv ? 3500 : 1096;
        for (int i = 0; i < n; ++i) {
            ServiceRecord c = ServiceRecord::Default();
            c.setTransponderRef(static_cast<uint16_t>(rng() % 2040));
            c.setServiceId(static_cast<uint16_t>(i));
            c.setScrambled(i % 3 == 0);
            c.setAccessSystems(i % 3 == 0 ? 1u << (rng() % 11) : 0);
            c.setLocked(i % 7 == 0);
            c.setInFavorite(i % 16, i % 5 == 0);
            text::StoreName(std::string(kChannelNames[i % 8]) + " " + std::to_string(i),
                            c.stored.data() + ServiceRecord::kNameOffset, ServiceRecord::kNameSize,
                            16);
            channels.push_back(c);
        }
        AddAll(db, kind, channels);
    }
    db.UpdateActiveMarks();
}

}  // namespace brondavel::bench
