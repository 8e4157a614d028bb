// Sorting a list by the orders of its window's Sort menu.
#include <cctype>

#include "model/database_engine.h"

namespace brondavel {

namespace {

// Upper-cased byte comparison up to the NUL; a prefix sorts first.
int CompareNames(const Record& a, const Record& b, size_t offset, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const auto ca = static_cast<unsigned char>(std::toupper(a.data()[offset + i]));
        const auto cb = static_cast<unsigned char>(std::toupper(b.data()[offset + i]));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
    return 0;
}

// The ascending comparator of a comparator sort; every one falls back to the
// id, so no two records are equal and descending is its exact mirror.
RecordList::Less AscendingLess(const SortSpec& spec) {
    switch (spec.method) {
        case SortSpec::kById:
            return [](const Record& a, const Record& b) { return a.id < b.id; };
        case SortSpec::kByName:
            return [off = spec.nameOffset, size = spec.nameSize](const Record& a, const Record& b) {
                const int c = CompareNames(a, b, off, size);
                return c != 0 ? c < 0 : a.id < b.id;
            };
        case SortSpec::kByKey:
            return [key = spec.key](const Record& a, const Record& b) {
                const int64_t ka = key(a), kb = key(b);
                return ka != kb ? ka < kb : a.id < b.id;
            };
        default:
            return {};
    }
}

}  // namespace

void DatabaseEngine::SortWith(int kind, const SortSpec& spec, int order) {
    RecordList& list = lists_[kind];
    if (spec.method == SortSpec::kBucket) {
        const auto& keys = spec.bucketKeys;
        const auto bucketOf = spec.bucketOf;
        list.BucketSort(
            order, static_cast<int>(keys.size()), [&keys](int i) { return keys[i]; },
            [bucketOf](uint32_t key, const Record& r) { return bucketOf(r) == key; });
        return;
    }
    list.Sort(order, AscendingLess(spec));
}

int DatabaseEngine::SortList(int kind, int order, ListControl* control) {
    if (!ValidKind(kind, 4) || !control) return 0;
    const std::vector<uint16_t> selected = SelectedIds(lists_[kind], *control);
    const SortSpec spec = layout_->SortFor(kind, order);
    ChangeScope change(*this);
    change.label = "Sort " + KindLabel(kind, 2);
    if (spec.method != SortSpec::kNone) SortWith(kind, spec, order);
    Refresh(kind, control);
    SelectRowsOfIds(lists_[kind], *control, selected);
    if (spec.method == SortSpec::kNone) return 0;
    modified = 1;
    return 1;
}

uint32_t DatabaseEngine::GetSortState(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].sortState() : 0;
}

SortState DatabaseEngine::SortStateOf(int kind) const {
    return ValidKind(kind, 3) ? lists_[kind].typedSortState() : SortState{SortOrder::kNone};
}

}  // namespace brondavel
