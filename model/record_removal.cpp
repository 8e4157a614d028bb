#include "model/record_removal.h"

#include "model/memory_controls.h"

namespace brondavel {

int DeleteRecordsById(DatabaseEngine& db, int kind, const std::vector<uint16_t>& ids) {
    if (kind < 0 || kind > 3 || ids.empty()) return 0;
    int before = 0;
    for (int k = 0; k < 4; ++k) before += db.Count(k);
    const std::string nameFilter = db.list(kind).nameFilter();
    const uint32_t activeOnly = db.list(kind).activeOnly();
    MemoryListControl control;
    db.ClearKeyFilter(kind);
    db.SetNameFilter(kind, "", nullptr);
    if (kind <= 1) db.SetActiveOnly(kind, &control, 0);
    db.Refresh(kind, &control);
    for (uint16_t id : ids) control.SetRowSelected(db.list(kind).RowOfId(id), true);
    db.DeleteSelected(kind, &control);
    db.SetNameFilter(kind, nameFilter, nullptr);
    if (kind <= 1) db.SetActiveOnly(kind, &control, activeOnly);
    db.ClearClipboard(kind);
    db.UpdateActiveMarks();
    int after = 0;
    for (int k = 0; k < 4; ++k) after += db.Count(k);
    return before - after;
}

}  // namespace brondavel
