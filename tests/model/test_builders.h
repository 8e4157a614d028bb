// Small builders for test databases.
#pragma once

#include <string>
#include <vector>

#include "model/first_gen_database.h"
#include "model/first_gen_records.h"
#include "model/memory_controls.h"
#include "model/second_gen_records.h"

namespace brondavel::test {

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
inline std::vector<std::string> Names(const DatabaseEngine& db, int kind) {
    std::vector<std::string> out;
    for (const Record& r : db.list(kind).records()) out.push_back(NameOf(db, kind, r));
    return out;
}

inline std::vector<std::string> ViewNames(const DatabaseEngine& db, int kind) {
    std::vector<std::string> out;
    for (const Record& r : db.list(kind).view()) out.push_back(NameOf(db, kind, r));
    return out;
}

// The name of the record a child refers to.
inline std::string ParentName(const DatabaseEngine& db, int kind, const Record& r) {
    const int parentKind = kind == kTransponder ? kSatellite : kTransponder;
    const uint16_t ref =
        kind == kTransponder ? db.layout().SatelliteRefOf(r) : db.layout().TransponderRefOf(r);
    const Record* p = db.list(parentKind).FindById(ref);
    return p ? NameOf(db, parentKind, *p) : "<none>";
}

}  // namespace brondavel::test
