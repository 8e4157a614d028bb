#include "model/database_merge.h"

#include <cstdlib>
#include <unordered_map>

#include "model/database_convert.h"
#include "model/field_table.h"
#include "model/name_filter.h"

namespace brondavel {

namespace {

constexpr uint32_t kFrequencyTolerance = 2;  // MHz

std::string NameKey(const std::string& utf8) {
    std::string folded = FoldCaseForFind(utf8), key;
    for (char c : folded)
        if (c != ' ' && c != '\t') key += c;
    return key;
}

int Longitude(const Record& satellite) {
    return static_cast<int16_t>(ReadU16(satellite.data() + 4));
}

// What one database holds, indexed the way records are matched; records to
// be added join it as they are planned, so the other file's own repeats
// are not doubled either.
class MergeTarget {
  public:
    explicit MergeTarget(const DatabaseEngine& db) : layout_(db.layout()) {
        const Generation g = GenerationOf(layout_);
        satName_ = NameField(FieldsOf(g, kSatellite));
        tpFrequency_ = FindField(FieldsOf(g, kTransponder), "frequency");
        tpPolarisation_ = FindField(FieldsOf(g, kTransponder), "polarisation");
        channelName_ = NameField(FieldsOf(g, kTv));
        for (int kind = 0; kind < 4; ++kind) {
            next_[kind] = static_cast<uint16_t>(db.list(kind).Count());
            for (const Record& r : db.list(kind).records()) Index(kind, r);
        }
    }

    uint16_t FindSatellite(int longitude, const std::string& name) const {
        auto it = satellites_.find(longitude);
        if (it == satellites_.end()) return kNone;
        for (const auto& [id, key] : it->second)
            if (key == NameKey(name)) return id;
        return it->second.front().first;
    }
    uint16_t FindTransponder(uint16_t satellite, uint32_t frequency, char polarisation) const {
        auto it = transponders_.find(satellite);
        if (it == transponders_.end()) return kNone;
        uint16_t best = kNone;
        uint32_t bestDistance = kFrequencyTolerance + 1;
        for (const Tp& t : it->second) {
            const uint32_t d =
                t.frequency > frequency ? t.frequency - frequency : frequency - t.frequency;
            if (t.polarisation == polarisation && d < bestDistance) {
                best = t.id;
                bestDistance = d;
            }
        }
        return best;
    }
    uint16_t FindChannel(int kind, uint16_t transponder, uint16_t serviceId,
                         const std::string& name) const {
        const auto& bySid = channelsBySid_[kind - kTv];
        auto it = bySid.find((uint32_t{transponder} << 16) | serviceId);
        if (it != bySid.end()) return it->second;
        const auto& byName = channelsByName_[kind - kTv];
        auto n = byName.find(NameKey(name));
        return n == byName.end() ? kNone : n->second;
    }
    uint16_t NextId(int kind) { return next_[kind]++; }
    void Index(int kind, const Record& r) {
        switch (kind) {
            case kSatellite:
                satellites_[Longitude(r)].push_back({r.id, NameKey(FieldName(*satName_, r))});
                break;
            case kTransponder:
                transponders_[layout_.SatelliteRefOf(r)].push_back(
                    {r.id, static_cast<uint32_t>(FieldNumber(*tpFrequency_, r)),
                     FieldNumber(*tpPolarisation_, r) == 1 ? 'V' : 'H'});
                break;
            default: {
                const uint32_t key =
                    (uint32_t{layout_.TransponderRefOf(r)} << 16) | ReadU16(r.data() + 2);
                channelsBySid_[kind - kTv].emplace(key, r.id);
                const std::string name = NameKey(FieldName(*channelName_, r));
                if (!name.empty()) channelsByName_[kind - kTv].emplace(name, r.id);
            }
        }
    }

  private:
    struct Tp {
        uint16_t id;
        uint32_t frequency;
        char polarisation;
    };
    const DatabaseLayout& layout_;
    const FieldSpec *satName_, *tpFrequency_, *tpPolarisation_, *channelName_;
    std::unordered_map<int, std::vector<std::pair<uint16_t, std::string>>> satellites_;
    std::unordered_map<uint16_t, std::vector<Tp>> transponders_;
    std::array<std::unordered_map<uint32_t, uint16_t>, 2> channelsBySid_;
    std::array<std::unordered_map<std::string, uint16_t>, 2> channelsByName_;
    std::array<uint16_t, 4> next_{};
};

}  // namespace

MergeResult MergeDatabase(DatabaseEngine& db, const DatabaseEngine& other,
                          const MergeOptions& options) {
    MergeResult result;
    const DatabaseLayout& from = other.layout();
    const DatabaseLayout& to = db.layout();
    const Generation g = GenerationOf(from);
    const FieldSpec* satName = NameField(FieldsOf(g, kSatellite));
    const FieldSpec* tpFrequency = FindField(FieldsOf(g, kTransponder), "frequency");
    const FieldSpec* tpPolarisation = FindField(FieldsOf(g, kTransponder), "polarisation");
    const FieldSpec* channelName = NameField(FieldsOf(g, kTv));

    MergeTarget target(db);
    std::array<std::vector<Record>, 4> additions;
    std::array<std::unordered_map<uint16_t, uint16_t>, 2> mapped;  // other id -> our id

    auto add = [&](int kind, const Record& theirs, uint16_t parent) {
        Record r = ConvertRecord(kind, from, to, theirs, result.losses);
        r.id = target.NextId(kind);
        if (kind == kTransponder) to.SetSatelliteRef(r, parent);
        if ((kind == kTv || kind == kRadio)) {
            to.SetTransponderRef(r, parent);
            if (!options.favorites)
                for (int group = 0; group < 16; ++group) to.SetFavoriteMember(r, group, false);
        }
        target.Index(kind, r);
        additions[kind].push_back(r);
        ++result.added[kind];
        return r.id;
    };
    auto satellite = [&](const Record& s) {
        auto it = mapped[0].find(s.id);
        if (it != mapped[0].end()) return it->second;
        uint16_t id = target.FindSatellite(Longitude(s), FieldName(*satName, s));
        if (id != kNone)
            ++result.matched[kSatellite];
        else
            id = add(kSatellite, s, kNone);
        return mapped[0][s.id] = id;
    };
    auto transponder = [&](const Record& t) -> uint16_t {
        auto it = mapped[1].find(t.id);
        if (it != mapped[1].end()) return it->second;
        const Record* s = other.list(kSatellite).FindById(from.SatelliteRefOf(t));
        if (!s) {
            ++result.orphansSkipped;
            return kNone;
        }
        const uint16_t sat = satellite(*s);
        uint16_t id =
            target.FindTransponder(sat, static_cast<uint32_t>(FieldNumber(*tpFrequency, t)),
                                   FieldNumber(*tpPolarisation, t) == 1 ? 'V' : 'H');
        if (id != kNone)
            ++result.matched[kTransponder];
        else
            id = add(kTransponder, t, sat);
        return mapped[1][t.id] = id;
    };

    if (options.kinds[kSatellite])
        for (const Record& s : other.list(kSatellite).records()) satellite(s);
    if (options.kinds[kTransponder])
        for (const Record& t : other.list(kTransponder).records()) transponder(t);
    for (int kind : {kTv, kRadio}) {
        if (!options.kinds[kind]) continue;
        for (const Record& c : other.list(kind).records()) {
            const Record* t = other.list(kTransponder).FindById(from.TransponderRefOf(c));
            const uint16_t tp = t ? transponder(*t) : kNone;
            if (tp == kNone) {
                result.orphansSkipped += !t;
                continue;
            }
            if (target.FindChannel(kind, tp, ReadU16(c.data() + 2), FieldName(*channelName, c)) !=
                kNone)
                ++result.matched[kind];
            else
                add(kind, c, tp);
        }
    }

    for (int kind = 0; kind < 4; ++kind) {
        const int total = db.Count(kind) + result.added[kind];
        if (total > to.EditCapacity(kind)) {
            result.error = "the " + ListLabel(kind) + " would hold " + std::to_string(total) +
                           " records (" + std::to_string(db.Count(kind)) + " and " +
                           std::to_string(result.added[kind]) + " new) of at most " +
                           std::to_string(to.EditCapacity(kind)) + "; nothing was added";
            result.added = {};
            return result;
        }
    }
    if (result.Added() == 0) return result;
    db.BeginUndoGroup();
    for (int kind = 0; kind < 4; ++kind)
        if (!additions[kind].empty())
            db.AddRecords(kind, nullptr, additions[kind].data(),
                          static_cast<int>(additions[kind].size()));
    db.EndUndoGroup("Merge");
    db.UpdateActiveMarks();
    db.modified = 1;
    return result;
}

std::vector<std::string> MergeReportLines(const MergeResult& r) {
    static const char* kinds[] = {"Satellites", "Transponders", "TV channels", "Radio channels"};
    std::vector<std::string> lines;
    for (int kind = 0; kind < 4; ++kind)
        lines.push_back(std::string(kinds[kind]) + ": " + std::to_string(r.added[kind]) +
                        " added, " + std::to_string(r.matched[kind]) + " already there");
    if (r.orphansSkipped)
        lines.push_back("Records without a parent, skipped: " + std::to_string(r.orphansSkipped));
    for (const auto& [field, count] : r.losses.fields)
        lines.push_back("Not carried over: " + field + " (" + std::to_string(count) + ")");
    if (r.losses.cutNames) lines.push_back("Names cut: " + std::to_string(r.losses.cutNames));
    return lines;
}

}  // namespace brondavel
