// Small builders for test databases.
#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "model/first_gen_database.h"
#include "model/first_gen_records.h"
#include "model/memory_controls.h"
#include "model/second_gen_records.h"

namespace brondavel::test {

using Strings = std::vector<std::string>;

// Builders for either generation: the first unless a record type is named.
template <typename S = SatelliteRecord>
S Sat(int16_t longitude, const std::string& name) {
    S s = S::Default(0);
    s.setLongitude(longitude);
    s.setName(name);
    return s;
}

template <typename T = TransponderRecord>
T Tp(uint32_t satellite, uint32_t frequency, const std::string& name = "tp",
     uint32_t symbolRate = 27500) {
    T t = T::Default();
    t.setSatelliteRef(satellite);
    t.setFrequency(frequency);
    t.setSymbolRate(symbolRate);
    t.setName(name);
    return t;
}

template <typename C = ServiceRecord>
C Channel(uint16_t transponder, const std::string& name, uint16_t sid = 0) {
    C c = C::Default();
    c.setTransponderRef(transponder);
    c.setServiceId(sid);
    c.setName(name);
    return c;
}

// Adds typed records (of either generation) with ids continuing the list, as
// a load would; returns what AddRecords returned.
template <typename Typed>
int AddAll(DatabaseEngine& db, int kind, std::vector<Typed> typed) {
    std::vector<Record> records;
    for (size_t i = 0; i < typed.size(); ++i) {
        typed[i].id = static_cast<uint16_t>(db.list(kind).Count() + i);
        records.push_back(typed[i].ToRecord());
    }
    return db.AddRecords(kind, nullptr, records.data(), static_cast<int>(records.size()));
}

// Puts the channels of both lists in a random order as one step each,
// "Shuffle"; their favourites cleared on request.
inline void ShuffleChannels(DatabaseEngine& db, uint32_t seed, bool clearFavorites = false) {
    std::mt19937 rng(seed);
    for (int kind : {kTv, kRadio}) {
        std::vector<Record> records = db.list(kind).records();
        std::shuffle(records.begin(), records.end(), rng);
        for (Record& r : records)
            for (int g = 0; clearFavorites && g < 16; ++g)
                db.layout().SetFavoriteMember(r, g, false);
        db.RearrangeList(kind, records, "Shuffle");
    }
}

// Satellites S0..S2; transponders T0,T1 on S0, T2 on S1, T3 on S2; TV channels
// on T0 (c0, c1), T2 (c2) and T3 (c3); radio r0 on T1.
inline void FillSmall(DatabaseEngine& db) {
    AddAll(db, kSatellite, std::vector{Sat(192, "S0"), Sat(130, "S1"), Sat(-70, "S2")});
    AddAll(db, kTransponder,
           std::vector{Tp(0, 11000, "T0"), Tp(0, 11100, "T1"), Tp(1, 11200, "T2"),
                       Tp(2, 11300, "T3")});
    AddAll(db, kTv,
           std::vector{Channel(0, "c0"), Channel(0, "c1"), Channel(2, "c2"), Channel(3, "c3")});
    AddAll(db, kRadio, std::vector{Channel(1, "r0")});
    db.UpdateActiveMarks();
}

inline std::string NameOf(const DatabaseEngine& db, int kind, const Record& r) {
    return db.layout().DisplayName(kind, r);
}

// Names in stored order, and in the order the view shows them.
inline Strings Names(const DatabaseEngine& db, int kind) {
    Strings out;
    for (const Record& r : db.list(kind).records()) out.push_back(NameOf(db, kind, r));
    return out;
}

inline Strings ViewNames(const DatabaseEngine& db, int kind) {
    Strings out;
    for (const Record& r : db.list(kind).view()) out.push_back(NameOf(db, kind, r));
    return out;
}

// The texts of one column of a list control, row by row.
inline Strings Column(const MemoryListControl& list, int column) {
    Strings out;
    for (int row = 0; row < list.RowCount(); ++row) out.push_back(list.Text(row, column));
    return out;
}

// What a freshly refreshed list control of `kind` shows in `column`.
inline Strings Shown(DatabaseEngine& db, int kind, int column) {
    MemoryListControl list;
    db.Refresh(kind, &list);
    return Column(list, column);
}

// What the pick list of `kind` offers.
inline Strings PickList(DatabaseEngine& db, int kind) {
    MemoryComboBox combo;
    db.FillPickList(kind, &combo);
    return combo.items;
}

// The names of the records the children of `kind` refer to.
inline Strings ParentNames(const DatabaseEngine& db, int kind) {
    const int parentKind = kind == kTransponder ? kSatellite : kTransponder;
    Strings out;
    for (const Record& r : db.list(kind).records()) {
        const uint16_t ref =
            kind == kTransponder ? db.layout().SatelliteRefOf(r) : db.layout().TransponderRefOf(r);
        const Record* p = db.list(parentKind).FindById(ref);
        out.push_back(p ? NameOf(db, parentKind, *p) : "<none>");
    }
    return out;
}

}  // namespace brondavel::test
