#include "model/record_identity.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "model/field_table.h"
#include "model/name_filter.h"

namespace brondavel {

std::string RecordIdentity::Key(int kind) const {
    std::string key = std::to_string(longitude);
    if (kind == kSatellite) return key;
    key += "/" + std::to_string(frequency) + "/" + polarisation;
    if (kind == kTransponder) return key;
    return key + "/" + std::to_string(serviceId);
}

std::string RecordIdentity::Describe(int kind) const {
    if (!keyed) return "(no transponder)";
    const int mag = std::abs(longitude);
    std::string text =
        std::to_string(mag / 10) + "." + std::to_string(mag % 10) + (longitude >= 0 ? "E" : "W");
    if (kind == kSatellite) return text;
    text += " " + std::to_string(frequency) + " " + polarisation;
    if (kind == kTransponder) return text;
    return text + " sid " + std::to_string(serviceId);
}

std::vector<RecordIdentity> IdentitiesOf(const DatabaseEngine& db, int kind) {
    std::vector<RecordIdentity> out;
    if (kind < 0 || kind > 3) return out;
    const DatabaseLayout& layout = db.layout();
    const Generation generation = GenerationOf(layout);
    const FieldSpec* nameField = NameField(FieldsOf(generation, kind));
    const FieldTable tpFields = FieldsOf(generation, kTransponder);
    const FieldSpec* polarisation = FindField(tpFields, "polarisation");

    // What a transponder contributes; false when its satellite is missing.
    auto fromTransponder = [&](const Record& t, RecordIdentity& id) {
        const Record* s = db.list(kSatellite).FindById(layout.SatelliteRefOf(t));
        if (!s) return false;
        id.longitude = static_cast<int16_t>(ReadU16(s->data() + 4));
        id.frequency = layout.FrequencyOf(t);
        id.polarisation = FieldNumber(*polarisation, t) == 1 ? 'V' : 'H';
        return true;
    };
    for (const Record& r : db.list(kind).records()) {
        RecordIdentity id;
        id.name = nameField ? FieldName(*nameField, r) : std::string();
        if (kind == kSatellite) {
            // Both generations keep the longitude as the i16 at offset 4.
            id.longitude = static_cast<int16_t>(ReadU16(r.data() + 4));
            id.keyed = true;
        } else if (kind == kTransponder) {
            id.keyed = fromTransponder(r, id);
        } else if (const Record* t = db.list(kTransponder).FindById(layout.TransponderRefOf(r))) {
            id.serviceId = ReadU16(r.data() + 2);
            id.keyed = fromTransponder(*t, id);
        }
        out.push_back(std::move(id));
    }
    return out;
}

namespace {

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Candidates by lookup text, taken in order.
class Pool {
  public:
    void Add(std::string key, int position) { slots_[std::move(key)].push_back(position); }
    // The first candidate of `key` that `taken` does not mark, or -1.
    int Take(const std::string& key, std::vector<bool>& taken) {
        auto it = slots_.find(key);
        if (it == slots_.end()) return -1;
        for (int position : it->second)
            if (!taken[position]) {
                taken[position] = true;
                return position;
            }
        return -1;
    }

  private:
    std::unordered_map<std::string, std::vector<int>> slots_;
};

}  // namespace

RecordMatching MatchRecords(int kind, const std::vector<RecordIdentity>& first,
                            const std::vector<RecordIdentity>& second) {
    RecordMatching m;
    m.partnerOf.assign(first.size(), -1);
    std::vector<bool> taken(second.size(), false);
    auto nameOf = [](const RecordIdentity& id) { return FoldCaseForFind(Trimmed(id.name)); };

    Pool keyAndName, keyOnly, nameOnly;
    for (size_t j = 0; j < second.size(); ++j) {
        const int p = static_cast<int>(j);
        if (second[j].keyed) {
            keyAndName.Add(second[j].Key(kind) + '\n' + nameOf(second[j]), p);
            keyOnly.Add(second[j].Key(kind), p);
        }
        if (!nameOf(second[j]).empty()) nameOnly.Add(nameOf(second[j]), p);
    }
    auto pass = [&](Pool& pool, auto keyOf, int& counter) {
        for (size_t i = 0; i < first.size(); ++i) {
            if (m.partnerOf[i] >= 0) continue;
            const std::string key = keyOf(first[i]);
            if (key.empty()) continue;
            const int j = pool.Take(key, taken);
            if (j < 0) continue;
            m.partnerOf[i] = j;
            ++counter;
        }
    };
    pass(
        keyAndName,
        [&](const RecordIdentity& id) {
            return id.keyed ? id.Key(kind) + '\n' + nameOf(id) : std::string();
        },
        m.byKey);
    pass(
        keyOnly, [&](const RecordIdentity& id) { return id.keyed ? id.Key(kind) : std::string(); },
        m.byKey);
    pass(nameOnly, nameOf, m.byName);
    m.unmatched = static_cast<int>(first.size()) - m.byKey - m.byName;
    return m;
}

std::vector<int> OrderByPartner(const std::vector<int>& partnerOf) {
    std::vector<int> positions(partnerOf.size());
    for (size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<int>(i);
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const int pa = partnerOf[a], pb = partnerOf[b];
        if ((pa < 0) != (pb < 0)) return pb < 0;
        return pa >= 0 && pa < pb;
    });
    return positions;
}

}  // namespace brondavel
