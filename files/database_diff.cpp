#include "files/database_diff.h"

#include <algorithm>
#include <unordered_map>

#include "model/field_table.h"

namespace brondavel {

namespace {

// The fields of two records that differ. Fields are paired by name, so
// across generations only what both know is compared; whole words only
// within one generation and only for bits no named field covers.
std::vector<FieldChange> ChangedFields(Generation ga, Generation gb, int kind, const Record& a,
                                       const Record& b) {
    std::vector<FieldChange> changes;
    const FieldTable ta = FieldsOf(ga, kind), tb = FieldsOf(gb, kind);
    for (const FieldSpec& fa : ta) {
        const FieldSpec* fb = FindField(tb, fa.name);
        if (!fb || fa.show == FieldShow::kRef || fa.count != fb->count) continue;
        bool differs = false;
        if (fa.IsName()) {
            differs = ga == gb ? NameBytesHex(fa, a) != NameBytesHex(*fb, b)
                               : FieldName(fa, a) != FieldName(*fb, b);
        } else if (fa.show == FieldShow::kWord) {
            if (ga != gb) continue;
            const auto unnamed = ~static_cast<int64_t>(NamedBitsOf(ta, fa));
            differs = ((FieldNumber(fa, a) ^ FieldNumber(*fb, b)) & unnamed) != 0;
        } else {
            for (int i = 0; i < fa.count; ++i)
                differs = differs || FieldNumber(fa, a, i) != FieldNumber(*fb, b, i);
        }
        if (differs) changes.push_back({fa.name, FieldText(fa, a), FieldText(*fb, b)});
    }
    return changes;
}

// Marks the pairs (by first-list position) that keep their order: the
// longest run whose second-list positions increase.
std::vector<bool> KeptInOrder(const std::vector<int>& partnerOf) {
    std::vector<int> firstPositions;  // matched, in first-list order
    for (size_t i = 0; i < partnerOf.size(); ++i)
        if (partnerOf[i] >= 0) firstPositions.push_back(static_cast<int>(i));
    const size_t n = firstPositions.size();
    std::vector<int> tails, tailAt, previous(n, -1);  // patience sorting
    for (size_t k = 0; k < n; ++k) {
        const int value = partnerOf[firstPositions[k]];
        const size_t at = std::lower_bound(tails.begin(), tails.end(), value) - tails.begin();
        if (at == tails.size()) {
            tails.push_back(value);
            tailAt.push_back(static_cast<int>(k));
        } else {
            tails[at] = value;
            tailAt[at] = static_cast<int>(k);
        }
        previous[k] = at > 0 ? tailAt[at - 1] : -1;
    }
    std::vector<bool> kept(partnerOf.size(), false);
    for (int k = tailAt.empty() ? -1 : tailAt.back(); k >= 0; k = previous[k])
        kept[firstPositions[k]] = true;
    return kept;
}

// The record each transponder or channel of `kind` refers to, as the diff
// names it: a satellite by position and name, a transponder by frequency and
// polarisation. Stored ids differ between files; these do not.
class ParentNames {
  public:
    ParentNames(const DatabaseEngine& db, int kind) : db_(db) {
        if (kind != kTransponder && kind != kTv && kind != kRadio) return;
        parentKind_ = kind == kTransponder ? kSatellite : kTransponder;
        const std::vector<RecordIdentity> ids = IdentitiesOf(db, parentKind_);
        const std::vector<Record>& records = db.list(parentKind_).records();
        for (size_t i = 0; i < records.size(); ++i) {
            const RecordIdentity& p = ids[i];
            names_[records[i].id] = parentKind_ == kSatellite
                                        ? p.Describe(kSatellite) + " " + p.name
                                        : std::to_string(p.frequency) + " " + p.polarisation;
        }
    }
    bool Applies() const { return parentKind_ >= 0; }
    const char* Field() const { return parentKind_ == kSatellite ? "satellite" : "transponder"; }
    std::string Of(const Record& r) const {
        const DatabaseLayout& layout = db_.layout();
        const uint16_t ref =
            parentKind_ == kSatellite ? layout.SatelliteRefOf(r) : layout.TransponderRefOf(r);
        const auto it = names_.find(ref);
        return it == names_.end() ? "(none)" : it->second;
    }

  private:
    const DatabaseEngine& db_;
    int parentKind_ = -1;
    std::unordered_map<uint16_t, std::string> names_;
};

}  // namespace

DatabaseDiff DiffDatabases(const DatabaseEngine& before, const DatabaseEngine& after) {
    DatabaseDiff diff;
    const Generation ga = GenerationOf(before.layout()), gb = GenerationOf(after.layout());
    for (int kind = 0; kind < 4; ++kind) {
        const std::vector<RecordIdentity> ia = IdentitiesOf(before, kind);
        const std::vector<RecordIdentity> ib = IdentitiesOf(after, kind);
        const RecordMatching m = MatchRecords(kind, ia, ib);
        const std::vector<Record>& ra = before.list(kind).records();
        const std::vector<Record>& rb = after.list(kind).records();
        KindDiff& out = diff.kinds[kind];
        std::vector<bool> matchedAfter(ib.size(), false);
        const std::vector<bool> kept = KeptInOrder(m.partnerOf);
        const ParentNames parentsA(before, kind), parentsB(after, kind);
        for (size_t i = 0; i < ia.size(); ++i) {
            const int j = m.partnerOf[i];
            if (j < 0) {
                out.removed.push_back({ia[i], static_cast<int>(i), -1, {}});
                continue;
            }
            matchedAfter[j] = true;
            DiffEntry entry{ib[j], static_cast<int>(i), j, {}};
            if (!kept[i]) out.moved.push_back(entry);
            entry.changes = ChangedFields(ga, gb, kind, ra[i], rb[j]);
            if (parentsA.Applies()) {
                std::string parentA = parentsA.Of(ra[i]), parentB = parentsB.Of(rb[j]);
                if (parentA != parentB)
                    entry.changes.push_back(
                        {parentsA.Field(), std::move(parentA), std::move(parentB)});
            }
            if (!entry.changes.empty()) out.changed.push_back(std::move(entry));
        }
        for (size_t j = 0; j < ib.size(); ++j)
            if (!matchedAfter[j]) out.added.push_back({ib[j], -1, static_cast<int>(j), {}});
        std::sort(out.moved.begin(), out.moved.end(), [](const DiffEntry& x, const DiffEntry& y) {
            return x.positionAfter < y.positionAfter;
        });
        std::sort(out.changed.begin(), out.changed.end(),
                  [](const DiffEntry& x, const DiffEntry& y) {
                      return x.positionAfter < y.positionAfter;
                  });
    }
    return diff;
}

}  // namespace brondavel
