#include "model/database_layout.h"

#include "model/record_defaults.h"

namespace brondavel {

std::string DatabaseLayout::DefaultName(int kind, int satelliteCount) const {
    return DefaultRecordName(kind, satelliteCount);
}

SortSpec DatabaseLayout::SortFor(int kind, int order) const {
    SortSpec spec;
    if (kind < 0 || kind > 3) return spec;
    if (order == 1) {
        spec.method = SortSpec::kById;
    } else if (order == 2) {
        spec.method = SortSpec::kByName;
        spec.nameOffset = NameOffset(kind);
        spec.nameSize = NameSize(kind);
    } else if (kind == kSatellite && order == 3) {
        // West positions sort after 180.0 E.
        spec.method = SortSpec::kByKey;
        spec.key = [this](const Record& r) -> int64_t {
            const int lon = LongitudeOf(r);
            return static_cast<int16_t>(lon < 0 ? lon + 3600 : lon);
        };
    } else if (kind == kTransponder && order == 3) {
        spec.method = SortSpec::kByKey;
        spec.key = [this](const Record& r) -> int64_t { return SatelliteRefOf(r); };
    } else if (kind == kTransponder && order == 4) {
        spec.method = SortSpec::kByKey;
        spec.key = [this](const Record& r) -> int64_t { return FrequencyOf(r); };
    } else if ((kind == kTv || kind == kRadio) && order == 3) {
        spec.method = SortSpec::kBucket;
        spec.bucketKeys.push_back(0);
        for (int i = 1; i < AccessClassKeyCount(); ++i) spec.bucketKeys.push_back(1u << (i - 1));
        spec.bucketOf = [this](const Record& r) { return AccessClassOf(r); };
    } else if ((kind == kTv || kind == kRadio) && order == 4) {
        spec.method = SortSpec::kBucket;
        spec.bucketKeys = {0, 1};
        spec.bucketOf = [this](const Record& r) { return uint32_t(IsLocked(r)); };
    }
    return spec;
}

}  // namespace brondavel
