// The lists built from a receiver image and written back into one.
#include <algorithm>
#include <cstring>

#include "model/database_engine.h"

namespace brondavel {

void DatabaseEngine::LoadImage(std::span<const uint8_t> image) {
    history_.Clear();
    for (const ImageSection& s : layout_->Sections()) {
        if (image.size() < s.recordsOffset) continue;
        const int stated = ReadU16(image.data() + s.countOffset);
        statedCounts_[s.kind] = stated;
        const int n = std::min(stated, s.capacity);
        std::vector<Record> records;
        records.reserve(n);
        for (int i = 0; i < n; ++i) {
            const size_t at = s.recordsOffset + size_t(i) * s.recordSize;
            if (at + s.recordSize > image.size()) break;
            records.emplace_back(static_cast<uint16_t>(i), image.subspan(at, s.recordSize));
        }
        // The image may hold more than editing may create; it loads whole.
        lists_[s.kind].InsertBatch(nullptr, records.data(), static_cast<int>(records.size()), 0);
    }
    std::vector<Record> groups = layout_->FavoritesFromImage(image);
    lists_[kFavorite].InsertBatch(nullptr, groups.data(), static_cast<int>(groups.size()), 0);
    UpdateActiveMarks();
}

void DatabaseEngine::RebuildImage(std::span<uint8_t> image) const {
    for (const ImageSection& s : layout_->Sections()) {
        const size_t area = size_t(s.capacity) * s.recordSize;
        if (image.size() < s.recordsOffset + area) continue;
        std::memset(image.data() + s.recordsOffset, 0xFF, area);
        const auto& records = lists_[s.kind].records();
        const int n = std::min(static_cast<int>(records.size()), s.capacity);
        WriteU16(image.data() + s.countOffset, static_cast<uint16_t>(n));
        const int parentKind = ParentKind(s.kind);
        for (int i = 0; i < n; ++i) {
            Record out = records[i];
            // References are ids in the lists and positions in the image.
            if (parentKind >= 0) {
                const int p = lists_[parentKind].PositionOfId(graph_.ParentRef(s.kind, out));
                if (p >= 0)
                    graph_.SetParentRef(s.kind, out, static_cast<uint16_t>(p));
                else if (!layout_->KeepsOrphans())
                    continue;  // the slot stays 0xFF
            }
            std::memcpy(image.data() + s.recordsOffset + size_t(i) * s.recordSize, out.data(),
                        s.recordSize);
        }
    }
    layout_->FinishImage(image);
}

}  // namespace brondavel
