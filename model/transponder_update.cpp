#include "model/transponder_update.h"

#include <cstdlib>

#include "model/field_table.h"
#include "model/record_convert.h"
#include "model/record_removal.h"
#include "model/transponder_naming.h"

namespace brondavel {

namespace {

constexpr uint32_t kFrequencyTolerance = 2;  // MHz

// The transponder fields the update reads and writes, of either generation.
struct TransponderFields {
    explicit TransponderFields(const DatabaseLayout& layout)
        : table(FieldsOf(GenerationOf(layout), kTransponder)),
          frequency(*FindField(table, "frequency")),
          symbolRate(*FindField(table, "symbolRate")),
          polarisation(*FindField(table, "polarisation")),
          fec(*FindField(table, "fec")),
          name(*NameField(table)) {}
    FieldTable table;
    const FieldSpec &frequency, &symbolRate, &polarisation, &fec, &name;

    uint32_t Frequency(const Record& r) const {
        return static_cast<uint32_t>(FieldNumber(frequency, r));
    }
    char Polarisation(const Record& r) const {
        return FieldNumber(polarisation, r) == 1 ? 'V' : 'H';
    }
};

uint32_t Distance(uint32_t a, uint32_t b) {
    return a > b ? a - b : b - a;
}

bool Matches(uint32_t frequency, char polarisation, const TableTransponder& e) {
    const char receiver = e.ReceiverPolarisation() == 1 ? 'V' : 'H';
    return polarisation == receiver && Distance(frequency, e.frequency) <= kFrequencyTolerance;
}

std::vector<NamedTransponder> NamesOf(const DatabaseEngine& db, const TransponderFields& f,
                                      uint16_t satelliteId) {
    std::vector<NamedTransponder> own, all;
    for (const Record& t : db.list(kTransponder).records()) {
        NamedTransponder n{FieldName(f.name, t), f.Frequency(t), f.Polarisation(t)};
        if (db.layout().SatelliteRefOf(t) == satelliteId) own.push_back(n);
        all.push_back(std::move(n));
    }
    return own.empty() ? all : own;
}

Record NewTransponder(const DatabaseEngine& db, const TransponderFields& f, uint16_t satelliteId,
                      const TableTransponder& e, const std::string& name, uint16_t id) {
    Record r = db.layout().NewRecord(kTransponder);
    r.id = id;
    db.layout().SetSatelliteRef(r, satelliteId);
    SetFieldNumber(f.frequency, r, e.frequency);
    SetFieldNumber(f.symbolRate, r, e.symbolRate);
    SetFieldNumber(f.polarisation, r, e.ReceiverPolarisation());
    SetFieldNumber(f.fec, r, e.fec);
    db.layout().StoreNameText(kTransponder, r, name);
    return r;
}

}  // namespace

std::vector<TransponderTable> TablesAt(const std::vector<TransponderTable>& tables, int longitude) {
    std::vector<TransponderTable> out;
    for (const TransponderTable& t : tables)
        if (std::abs(t.longitude - longitude) <= 1) out.push_back(t);
    return out;
}

TransponderUpdatePlan PlanTransponderUpdate(const DatabaseEngine& db, uint16_t satelliteId,
                                            const std::vector<TransponderTable>& tables,
                                            const TransponderUpdateOptions& options) {
    TransponderUpdatePlan plan;
    plan.satelliteId = satelliteId;
    const Record* satellite = db.list(kSatellite).FindById(satelliteId);
    if (!satellite) return plan;
    plan.longitude = static_cast<int16_t>(ReadU16(satellite->data() + 4));
    const TransponderFields f(db.layout());

    // The satellite's transponders, each found in the tables or not.
    std::vector<const Record*> own;
    for (const Record& t : db.list(kTransponder).records())
        if (db.layout().SatelliteRefOf(t) == satelliteId) own.push_back(&t);
    std::vector<bool> found(own.size(), false);

    // Entries of all tables, the first of several alike kept.
    std::vector<TableTransponder> entries;
    for (const TransponderTable& table : tables) {
        plan.sources.push_back(table.source.empty() ? table.name : table.source);
        plan.rejected += table.rejected;
        for (const TableTransponder& e : table.transponders) {
            bool seen = false;
            for (const TableTransponder& k : entries)
                seen |= k.ReceiverPolarisation() == e.ReceiverPolarisation() &&
                        Distance(k.frequency, e.frequency) <= kFrequencyTolerance;
            if (!seen) entries.push_back(e);
        }
    }

    TransponderNaming naming(NamesOf(db, f, satelliteId));
    for (const TableTransponder& e : entries) {
        if (e.polarisation == 'L' || e.polarisation == 'R') ++plan.circular;
        int best = -1;
        for (size_t i = 0; i < own.size(); ++i) {
            const uint32_t freq = f.Frequency(*own[i]);
            if (!Matches(freq, f.Polarisation(*own[i]), e)) continue;
            if (best < 0 ||
                Distance(freq, e.frequency) < Distance(f.Frequency(*own[best]), e.frequency))
                best = static_cast<int>(i);
        }
        if (best >= 0) found[best] = true;
        if (e.s2 && !options.includeS2) {
            ++plan.s2LeftOut;
            continue;
        }
        if (best < 0) {
            const char p = e.ReceiverPolarisation() == 1 ? 'V' : 'H';
            plan.additions.push_back({e, naming.NameFor(e.frequency, p), true});
            continue;
        }
        const Record& t = *own[best];
        PlannedCorrection c;
        c.id = t.id;
        c.frequency = f.Frequency(t);
        c.polarisation = f.Polarisation(t);
        c.oldSymbolRate = static_cast<uint32_t>(FieldNumber(f.symbolRate, t));
        c.oldFec = static_cast<uint16_t>(FieldNumber(f.fec, t));
        c.newSymbolRate = e.symbolRate;
        c.newFec = e.fec;
        if (c.oldSymbolRate == c.newSymbolRate && c.oldFec == c.newFec)
            ++plan.unchanged;
        else
            plan.corrections.push_back(c);
    }

    for (size_t i = 0; i < own.size(); ++i) {
        if (found[i]) continue;
        PlannedRemoval m;
        m.id = own[i]->id;
        m.frequency = f.Frequency(*own[i]);
        m.polarisation = f.Polarisation(*own[i]);
        m.symbolRate = static_cast<uint32_t>(FieldNumber(f.symbolRate, *own[i]));
        for (int kind : {kTv, kRadio})
            for (const Record& c : db.list(kind).records())
                m.channels += db.layout().TransponderRefOf(c) == m.id;
        m.chosen = options.removeMissing;
        plan.missing.push_back(m);
    }
    return plan;
}

TransponderUpdateResult ApplyTransponderUpdate(DatabaseEngine& db,
                                               const TransponderUpdatePlan& plan) {
    TransponderUpdateResult result;
    if (!db.list(kSatellite).FindById(plan.satelliteId)) {
        result.error = "the satellite no longer exists";
        return result;
    }
    const TransponderFields f(db.layout());
    std::vector<Record> additions;
    uint16_t next = static_cast<uint16_t>(db.Count(kTransponder));
    for (const PlannedAddition& a : plan.additions)
        if (a.chosen)
            additions.push_back(NewTransponder(db, f, plan.satelliteId, a.entry, a.name, next++));
    const int room = db.layout().EditCapacity(kTransponder);
    if (db.Count(kTransponder) + static_cast<int>(additions.size()) > room) {
        result.error = "the transponder list would hold " +
                       std::to_string(db.Count(kTransponder) + additions.size()) + " of at most " +
                       std::to_string(room) + " transponders; nothing was changed";
        return result;
    }

    db.BeginUndoGroup();
    std::vector<Record> records = db.list(kTransponder).records();
    for (const PlannedCorrection& c : plan.corrections) {
        if (!c.chosen) continue;
        for (Record& r : records) {
            if (r.id != c.id) continue;
            SetFieldNumber(f.symbolRate, r, c.newSymbolRate);
            SetFieldNumber(f.fec, r, c.newFec);
            ++result.corrected;
        }
    }
    if (result.corrected) db.RearrangeList(kTransponder, std::move(records), "Update Transponders");
    if (!additions.empty()) {
        db.AddRecords(kTransponder, nullptr, additions.data(), static_cast<int>(additions.size()));
        result.added = static_cast<int>(additions.size());
    }
    std::vector<uint16_t> removals;
    for (const PlannedRemoval& m : plan.missing)
        if (m.chosen) removals.push_back(m.id);
    if (!removals.empty()) {
        const int deleted = DeleteRecordsById(db, kTransponder, removals);
        result.removed = static_cast<int>(removals.size());
        result.channelsRemoved = deleted - result.removed;
    }
    db.EndUndoGroup("Update Transponders");
    if (result.added || result.corrected || result.removed) {
        db.UpdateActiveMarks();
        db.modified = 1;
    }
    return result;
}

uint16_t AddSatelliteFromTable(DatabaseEngine& db, const TransponderTable& table, bool includeS2,
                               std::string& error) {
    const DatabaseLayout& layout = db.layout();
    if (db.Count(kSatellite) + 1 > layout.EditCapacity(kSatellite)) {
        error = "the satellite list is full";
        return kNone;
    }
    int wanted = 0;
    for (const TableTransponder& e : table.transponders) wanted += includeS2 || !e.s2;
    if (db.Count(kTransponder) + wanted > layout.EditCapacity(kTransponder)) {
        error = "the transponder list has no room for " + std::to_string(wanted) + " transponders";
        return kNone;
    }
    const FieldTable satFields = FieldsOf(GenerationOf(layout), kSatellite);
    Record satellite = layout.NewRecord(kSatellite);
    satellite.id = static_cast<uint16_t>(db.Count(kSatellite));
    SetFieldNumber(*FindField(satFields, "longitude"), satellite, table.longitude);
    layout.StoreNameText(kSatellite, satellite, table.name);

    db.BeginUndoGroup();
    db.AddRecords(kSatellite, nullptr, &satellite, 1);
    TransponderUpdatePlan plan =
        PlanTransponderUpdate(db, satellite.id, {table}, {includeS2, false});
    ApplyTransponderUpdate(db, plan);
    db.EndUndoGroup("New Satellite");
    db.UpdateActiveMarks();
    db.modified = 1;
    return satellite.id;
}

std::string SummaryText(const TransponderUpdatePlan& plan) {
    int added = 0, corrected = 0;
    for (const PlannedAddition& a : plan.additions) added += a.chosen;
    for (const PlannedCorrection& c : plan.corrections) corrected += c.chosen;
    return "added " + std::to_string(added) + ", corrected " + std::to_string(corrected) +
           ", not in the table " + std::to_string(plan.missing.size()) + ", S2 left out " +
           std::to_string(plan.s2LeftOut);
}

}  // namespace brondavel
