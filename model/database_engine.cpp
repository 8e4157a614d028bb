#include "model/database_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "model/name_filter.h"
#include "text/conexant_text.h"

namespace brondavel {

std::string DatabaseLayout::DefaultName(int kind, int satelliteCount) const {
    switch (kind) {
        case kSatellite: {
            char name[16];
            std::snprintf(name, sizeof name, "User-%02d", satelliteCount);
            return name;
        }
        case kTransponder:
            return "User";
        case kTv:
        case kRadio:
            return "New Channel";
        default:
            return {};
    }
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
        // Both generations keep the longitude as the i16 at offset 4; west
        // positions sort after 180.0 E.
        spec.method = SortSpec::kByKey;
        spec.key = [](const Record& r) -> int64_t {
            const int lon = static_cast<int16_t>(ReadU16(r.data() + 4));
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
        // The lock is bit 0 of the flags at offset 24 in both generations.
        spec.method = SortSpec::kBucket;
        spec.bucketKeys = {0, 1};
        spec.bucketOf = [](const Record& r) { return uint32_t(r.data()[24] & 1); };
    }
    return spec;
}

namespace {

RecordList MakeList(const DatabaseLayout& layout, int kind) {
    const size_t size = layout.StoredSize(kind);
    // Favourite groups are told apart by their name alone.
    return RecordList(size, kind == kFavorite ? layout.NameSize(kind) : size);
}

std::vector<uint16_t> SelectedIds(const RecordList& list, ListControl& control) {
    std::vector<uint16_t> ids;
    for (int row : control.SelectedRows()) {
        const uint16_t id = list.IdOfRow(row);
        if (id != kNone) ids.push_back(id);
    }
    return ids;
}

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

}  // namespace

std::string KindLabel(int kind, size_t count) {
    static const char* const kNames[] = {"Satellite", "Transponder", "TV Channel", "Radio Channel",
                                         "Favourite Group"};
    std::string name = kind >= 0 && kind < kKindCount ? kNames[kind] : "Record";
    return count == 1 ? name : name + "s";
}

DatabaseEngine::DatabaseEngine(std::unique_ptr<DatabaseLayout> layout)
    : layout_(std::move(layout)),
      lists_{MakeList(*layout_, 0), MakeList(*layout_, 1), MakeList(*layout_, 2),
             MakeList(*layout_, 3), MakeList(*layout_, 4)} {}

uint16_t DatabaseEngine::ParentRef(int kind, const Record& r) const {
    if (kind == kTransponder) return layout_->SatelliteRefOf(r);
    if (kind == kTv || kind == kRadio) return layout_->TransponderRefOf(r);
    return kNone;
}

void DatabaseEngine::SetParentRef(int kind, Record& r, uint16_t ref) const {
    if (kind == kTransponder) layout_->SetSatelliteRef(r, ref);
    if (kind == kTv || kind == kRadio) layout_->SetTransponderRef(r, ref);
}

bool DatabaseEngine::IsOrphan(int kind, const Record& record) const {
    if (kind == kTransponder) return !lists_[kSatellite].FindById(ParentRef(kind, record));
    if (kind == kTv || kind == kRadio)
        return !lists_[kTransponder].FindById(ParentRef(kind, record));
    return false;
}

int DatabaseEngine::ClearClipboard(int kind) {
    if (!ValidKind(kind, 3)) return 0;
    lists_[kind].clipboard().clear();
    lists_[kind].setAnchorId(kNone);
    return 0;
}

int DatabaseEngine::ClipboardCount(int kind) {
    return ValidKind(kind, 3) ? static_cast<int>(lists_[kind].clipboard().size()) : 0;
}

int DatabaseEngine::PickUpSelection(int kind, ListControl* control) {
    if (!ValidKind(kind, 3) || !control) return 0;
    RecordList& list = lists_[kind];
    const std::vector<uint16_t> ids = SelectedIds(list, *control);
    if (ids.empty()) return 0;
    std::unordered_set<uint16_t> selected(ids.begin(), ids.end());
    auto& clip = list.clipboard();
    std::erase_if(clip, [&](const Record& r) { return !selected.count(r.id); });
    for (uint16_t id : ids) {
        if (list.InClipboard(id)) continue;
        if (const Record* r = list.FindById(id)) clip.push_back(*r);
    }
    return 0;
}

int DatabaseEngine::SelectClipboardRows(int kind, ListControl* control) {
    if (!ValidKind(kind, 3) || !control) return 0;
    const RecordList& list = lists_[kind];
    for (const Record& r : list.clipboard()) {
        const int row = list.RowOfId(r.id);
        if (row != kNoRow) control->SetRowSelected(row, true);
    }
    return 1;
}

int DatabaseEngine::UpdateActiveMarks() {
    std::unordered_set<uint16_t> usedTransponders;
    std::vector<uint16_t> order;  // distinct values in the order they were met
    for (int kind : {kTv, kRadio})
        for (const Record& r : lists_[kind].records())
            if (usedTransponders.insert(layout_->TransponderRefOf(r)).second)
                order.push_back(layout_->TransponderRefOf(r));
    RecordList& transponders = lists_[kTransponder];
    transponders.ClearActive();
    for (uint16_t id : order) transponders.SetActive(id, 1);

    RecordList& satellites = lists_[kSatellite];
    satellites.ClearActive();
    for (const Record& t : transponders.records())
        if (usedTransponders.count(t.id)) satellites.SetActive(layout_->SatelliteRefOf(t), 1);
    return 0;
}

uint32_t DatabaseEngine::IsRowActive(int kind, int row) {
    if (!ValidKind(kind, 1)) return 0;
    const uint16_t id = lists_[kind].IdOfRow(row);
    return id == kNone ? 0 : lists_[kind].ActiveOf(id);
}

int DatabaseEngine::SetActiveOnly(int kind, ListControl* control, uint32_t value) {
    if (!ValidKind(kind, 1) || !control) return 0;
    if (lists_[kind].activeOnly() == value) return 0;
    lists_[kind].setActiveOnly(value);
    Refresh(kind, control);
    return 1;
}

int DatabaseEngine::ToggleActiveOnly(int kind, ListControl* control) {
    if (!ValidKind(kind, 1) || !control) return 0;
    lists_[kind].setActiveOnly(lists_[kind].activeOnly() ? 0 : 1);
    Refresh(kind, control);
    return 1;
}

int DatabaseEngine::AddRecords(int kind, const Record* anchor, const Record* records, int count) {
    RecordList* list = List(kind);
    if (!list || count < 0 || (count > 0 && !records)) return 0;
    if (list->Count() + count > layout_->EditCapacity(kind)) return 0;
    for (int i = 0; i < count; ++i)
        if (records[i].size != list->storedSize()) return 0;
    // Filling a database is no edit: the records are where undo starts.
    if (!history_.Recording()) history_.Clear();
    return list->InsertBatch(anchor, records, count, 0);
}

int DatabaseEngine::StoreRecord(int kind, int row, std::span<const uint8_t> stored) {
    RecordList* list = List(kind);
    if (!list || stored.size() < list->storedSize()) return 0;
    ChangeScope change(*this);
    change.label = StoreLabel(kind, row == kNoRow ? nullptr : list->FindById(list->IdOfRow(row)),
                              stored.first(list->storedSize()));
    int done = 0;
    if (row == kNoRow) {
        if (list->Count() < layout_->EditCapacity(kind)) done = list->Add(stored);
    } else {
        const uint16_t id = list->IdOfRow(row);
        if (id != kNone) done = list->UpdateById(id, stored);
    }
    if (done) modified = 1;
    return done;
}

bool DatabaseEngine::RowRecord(int kind, int row, Record& record) {
    if (!ValidKind(kind, 3) || row < 0) return false;
    record.size = static_cast<uint8_t>(layout_->StoredSize(kind));
    return GetRowData(kind, row, record.stored()) != 0;
}

int DatabaseEngine::GetRowData(int kind, int row, std::span<uint8_t> stored) {
    if (!ValidKind(kind, 3) || stored.size() < lists_[kind].storedSize()) return 0;
    if (row == kNoRow) {
        const size_t offset = layout_->NameOffset(kind), size = layout_->NameSize(kind);
        const std::string name = layout_->DefaultName(kind, lists_[kSatellite].Count());
        std::memset(stored.data() + offset, 0, size);
        std::memcpy(stored.data() + offset, name.data(), std::min(name.size(), size - 1));
        return 1;
    }
    const uint16_t id = lists_[kind].IdOfRow(row);
    return id == kNone ? 0 : lists_[kind].GetById(id, stored);
}

void DatabaseEngine::SelectRowIfShown(ListControl* control, int kind, uint16_t id) {
    if (!control || id == kNone) return;
    const int row = lists_[kind].RowOfId(id);
    if (row != kNoRow) SelectOnlyRow(*control, row);
}

int DatabaseEngine::Reparent(int childKind, int parentKind, int targetRow,
                             ListControl* childControl, ListControl* parentControl) {
    RecordList& children = lists_[childKind];
    RecordList& parents = lists_[parentKind];
    const uint16_t parentId = parents.IdOfRow(targetRow);
    if (parentId == kNone) return 0;
    ChangeScope change(*this);
    if (children.clipboard().empty()) PickUpSelection(childKind, childControl);
    change.label = "Move " + KindLabel(childKind, children.clipboard().size()) + " to " +
                   KindLabel(parentKind, 1);
    bool changed = false;
    for (const Record& picked : children.clipboard()) {
        const Record* current = children.FindById(picked.id);
        if (!current || ParentRef(childKind, *current) == parentId) continue;
        Record moved = *current;
        SetParentRef(childKind, moved, parentId);
        changed |= children.UpdateById(moved.id, moved.stored()) != 0;
    }
    ClearClipboard(childKind);
    ClearClipboard(parentKind);
    UpdateActiveMarks();
    children.ClearView();
    Refresh(childKind, childControl);
    SelectRowIfShown(parentControl, parentKind, parentId);
    // A drop changes records like an edit does, so the change is saved.
    if (changed) modified = 1;
    return 1;
}

int DatabaseEngine::Drop(int effect, int sourceKind, int targetKind, int targetRow,
                         ListControl* source, ListControl* target) {
    if (effect == kDropMove) {
        if (!ValidKind(targetKind, 3) || !target) return 0;
        if (lists_[targetKind].clipboard().empty()) PickUpSelection(targetKind, target);
        if (lists_[targetKind].clipboard().empty()) return 0;
        SetAnchor(targetKind, targetRow);
        return MoveClipboard(targetKind, target, 0);
    }
    if (effect != kDropReparent) return 0;
    if (sourceKind == kTransponder && targetKind == kSatellite)
        return Reparent(kTransponder, kSatellite, targetRow, source, target);
    if ((sourceKind == kTv || sourceKind == kRadio) && targetKind == kTransponder)
        return Reparent(sourceKind, kTransponder, targetRow, source, target);
    return 1;
}

int DatabaseEngine::AnchorRow(int kind) {
    if (!ValidKind(kind, 3)) return kNoRow;
    const uint16_t anchor = lists_[kind].anchorId();
    return anchor == kNone ? kNoRow : lists_[kind].RowOfId(anchor);
}

int DatabaseEngine::SetAnchor(int kind, int row) {
    if (!ValidKind(kind, 3)) return 0;
    const uint16_t id = lists_[kind].IdOfRow(row);
    if (id == kNone) return 1;
    lists_[kind].setAnchorId(id);
    return lists_[kind].InClipboard(id) ? 1 : 0;
}

int DatabaseEngine::MoveClipboard(int kind, ListControl* control, int before) {
    if (!ValidKind(kind, 3) || !control) return 0;
    RecordList& list = lists_[kind];
    if (list.clipboard().empty()) return 0;
    if (list.InClipboard(list.anchorId())) return 0;
    ChangeScope change(*this);
    change.label = "Move " + KindLabel(kind, list.clipboard().size());
    if (!list.MoveClipboard(before)) return 0;
    Refresh(kind, control);
    const int row = list.RowOfId(list.anchorId());
    if (row != kNoRow) SelectOnlyRow(*control, row);
    ClearClipboard(kind);
    modified = 1;
    return 1;
}

void DatabaseEngine::DeleteAndRenumber(const std::array<std::vector<uint16_t>, 4>& ids) {
    for (int kind = 0; kind < 4; ++kind)
        if (!ids[kind].empty())
            lists_[kind].DeleteByIds(ids[kind].data(), static_cast<int>(ids[kind].size()));

    // Ids stay dense: renumber each list that lost records and carry every
    // reference and key that named them along. An orphan's reference names no
    // record and is left exactly as it was.
    auto remapChildren = [this](int parentKind, const std::vector<uint16_t>& map) {
        auto children = parentKind == kSatellite ? std::vector<int>{kTransponder}
                                                 : std::vector<int>{kTv, kRadio};
        for (int child : children) {
            for (Record& r : lists_[child].mutableRecords()) {
                const uint16_t ref = ParentRef(child, r);
                if (ref < map.size() && map[ref] != kNone) SetParentRef(child, r, map[ref]);
            }
            for (Record& r : lists_[child].clipboard()) {
                const uint16_t ref = ParentRef(child, r);
                if (ref < map.size() && map[ref] != kNone) SetParentRef(child, r, map[ref]);
            }
            lists_[child].RemapKeys(map);
        }
    };
    for (int kind = 0; kind < 4; ++kind) {
        if (ids[kind].empty()) continue;
        const std::vector<uint16_t> map = lists_[kind].Renumber();
        NoteRenumbered(kind, map);
        if (kind == kSatellite || kind == kTransponder) remapChildren(kind, map);
    }
}

int DatabaseEngine::DeleteSelected(int kind, ListControl* control) {
    if (!ValidKind(kind, 3) || !control) return 0;
    const std::vector<uint16_t> selected = SelectedIds(lists_[kind], *control);
    if (selected.empty()) return 0;
    ChangeScope change(*this);
    change.label = "Delete " + KindLabel(kind, selected.size());
    std::array<std::vector<uint16_t>, 4> ids;
    ids[kind] = selected;
    if (kind == kSatellite) {
        const std::unordered_set<uint16_t> sats(selected.begin(), selected.end());
        for (const Record& t : lists_[kTransponder].records())
            if (sats.count(layout_->SatelliteRefOf(t))) ids[kTransponder].push_back(t.id);
    }
    if (kind == kSatellite || kind == kTransponder) {
        const std::unordered_set<uint16_t> tps(ids[kTransponder].begin(), ids[kTransponder].end());
        for (int ch : {kTv, kRadio})
            for (const Record& c : lists_[ch].records())
                if (tps.count(layout_->TransponderRefOf(c))) ids[ch].push_back(c.id);
    }
    DeleteAndRenumber(ids);
    modified = 1;
    return 1;
}

void DatabaseEngine::SortWith(int kind, const SortSpec& spec, int order) {
    RecordList& list = lists_[kind];
    switch (spec.method) {
        case SortSpec::kById:
            list.Sort(
                order, [](const Record& a, const Record& b) { return a.id < b.id; },
                [](const Record& a, const Record& b) { return a.id > b.id; });
            break;
        case SortSpec::kByName: {
            const size_t off = spec.nameOffset, size = spec.nameSize;
            list.Sort(
                order,
                [=](const Record& a, const Record& b) {
                    const int c = CompareNames(a, b, off, size);
                    return c != 0 ? c < 0 : a.id < b.id;
                },
                [=](const Record& a, const Record& b) {
                    const int c = CompareNames(a, b, off, size);
                    return c != 0 ? c > 0 : a.id > b.id;
                });
            break;
        }
        case SortSpec::kByKey: {
            const auto key = spec.key;
            list.Sort(
                order,
                [key](const Record& a, const Record& b) {
                    const int64_t ka = key(a), kb = key(b);
                    return ka != kb ? ka < kb : a.id < b.id;
                },
                [key](const Record& a, const Record& b) {
                    const int64_t ka = key(a), kb = key(b);
                    return ka != kb ? ka > kb : a.id > b.id;
                });
            break;
        }
        case SortSpec::kBucket: {
            const auto& keys = spec.bucketKeys;
            const auto bucketOf = spec.bucketOf;
            list.BucketSort(
                order, static_cast<int>(keys.size()), [&keys](int i) { return keys[i]; },
                [bucketOf](uint32_t key, const Record& r) { return bucketOf(r) == key; });
            break;
        }
        case SortSpec::kNone:
            break;
    }
}

int DatabaseEngine::SortList(int kind, int order, ListControl* control) {
    if (!ValidKind(kind, 4) || !control) return 0;
    const std::vector<uint16_t> selected = SelectedIds(lists_[kind], *control);
    const SortSpec spec = layout_->SortFor(kind, order);
    ChangeScope change(*this);
    change.label = "Sort " + KindLabel(kind, 2);
    if (spec.method != SortSpec::kNone) SortWith(kind, spec, order);
    Refresh(kind, control);
    for (uint16_t id : selected) {
        const int row = lists_[kind].RowOfId(id);
        if (row != kNoRow) control->SetRowSelected(row, true);
    }
    if (spec.method == SortSpec::kNone) return 0;
    modified = 1;
    return 1;
}

int DatabaseEngine::Refresh(int kind, ListControl* control) {
    if (!ValidKind(kind, 4) || !control) return 0;
    RecordList::FilterKey filterKey;
    if (kind == kTransponder)
        filterKey = [this](const Record& r) { return uint32_t(layout_->SatelliteRefOf(r)); };
    if (kind == kTv || kind == kRadio)
        filterKey = [this](const Record& r) { return uint32_t(layout_->TransponderRefOf(r)); };
    RecordList::Shows shows;
    if (const std::string& wanted = lists_[kind].nameFilter(); !wanted.empty()) {
        // The whole name, not only the part a row shows.
        const size_t offset = layout_->NameOffset(kind), size = layout_->NameSize(kind);
        shows = [&wanted, offset, size](const Record& r) {
            return FoldCaseForFind(text::NameToDisplay(r.data() + offset, size)).find(wanted) !=
                   std::string::npos;
        };
    }
    return lists_[kind].Populate(
        control,
        // A row shows the record's number in the whole list, as the receiver
        // numbers it, also in a narrowed or found view.
        [this, kind](int row, ListControl& list, const Record& r) {
            list.InsertRow(row, layout_->RowCells(kind, lists_[kind].PositionOfId(r.id), r));
        },
        filterKey, shows);
}

int DatabaseEngine::ClearAllKeyFilters(int, const ListControls& lists) {
    if (AllKeyFiltersEmpty(0)) return 0;
    for (int kind = 0; kind < 4; ++kind) {
        lists_[kind].keyFilter().clear();
        Refresh(kind, lists.at(kind));
    }
    return 1;
}

int DatabaseEngine::ClearKeyFilter(int kind) {
    if (!ValidKind(kind, 3)) return 0;
    lists_[kind].keyFilter().clear();
    return 1;
}

int DatabaseEngine::AllKeyFiltersEmpty(int) {
    for (int kind = 0; kind < 4; ++kind)
        if (!lists_[kind].keyFilter().empty()) return 0;
    return 1;
}

int DatabaseEngine::RefreshKeepSelection(int kind, ListControl* control, int) {
    if (!ValidKind(kind, 3) || !control) return 0;
    const std::vector<uint16_t> selected = SelectedIds(lists_[kind], *control);
    Refresh(kind, control);
    for (uint16_t id : selected) {
        const int row = lists_[kind].RowOfId(id);
        if (row != kNoRow) control->SetRowSelected(row, true);
    }
    return 1;
}

int DatabaseEngine::FillPickList(int kind, ComboBox* combo) {
    if (!ValidKind(kind, 3) || !combo) return 0;
    return lists_[kind].FillPickList(combo, [this, kind](int id, ComboBox& box, const Record& r) {
        box.InsertItem(id, layout_->PickListText(kind, r));
    });
}

int DatabaseEngine::SelectionChanged(int kind, int row, const ListControls& lists) {
    if (!ValidKind(kind, 3)) return 0;
    if (kind == kSatellite) {
        const uint16_t satId = lists_[kSatellite].IdOfRow(row);
        auto& tpKeys = lists_[kTransponder].keyFilter();
        tpKeys.clear();
        if (satId != kNone) tpKeys.push_back(satId);
        Refresh(kTransponder, lists.transponders);
        const auto& tpView = lists_[kTransponder].view();
        if (!tpView.empty()) {
            for (int ch : {kTv, kRadio}) {
                auto& keys = lists_[ch].keyFilter();
                keys.clear();
                for (const Record& t : tpView) keys.push_back(t.id);
                Refresh(ch, lists.at(ch));
            }
        } else {
            for (int ch : {kTv, kRadio}) {
                lists_[ch].ClearView();
                if (ListControl* c = lists.at(ch)) c->DeleteAllRows();
            }
        }
        return 1;
    }
    if (kind == kTransponder) {
        const uint16_t tpId = lists_[kTransponder].IdOfRow(row);
        if (const Record* t = lists_[kTransponder].FindById(tpId))
            SelectRowIfShown(lists.satellites, kSatellite, layout_->SatelliteRefOf(*t));
        for (int ch : {kTv, kRadio}) {
            auto& keys = lists_[ch].keyFilter();
            keys.clear();
            if (tpId != kNone) keys.push_back(tpId);
            Refresh(ch, lists.at(ch));
        }
        return 1;
    }
    const uint16_t chId = lists_[kind].IdOfRow(row);
    if (const Record* c = lists_[kind].FindById(chId)) {
        const uint16_t tpId = layout_->TransponderRefOf(*c);
        SelectRowIfShown(lists.transponders, kTransponder, tpId);
        if (const Record* t = lists_[kTransponder].FindById(tpId))
            SelectRowIfShown(lists.satellites, kSatellite, layout_->SatelliteRefOf(*t));
    }
    return 1;
}

int DatabaseEngine::GetById(int kind, int id, std::span<uint8_t> stored) {
    if (!ValidKind(kind, 4) || id < 0 || id >= kNone) return 0;
    if (stored.size() < lists_[kind].storedSize()) return 0;
    return lists_[kind].GetById(static_cast<uint16_t>(id), stored);
}

int DatabaseEngine::Count(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].Count() : 0;
}

std::string DatabaseEngine::Describe(int kind, int row) {
    if (!ValidKind(kind, 4)) return {};
    // Groups are never filtered or sorted, so group g is row g; the channel
    // dialog asks for them whether or not the favourite window was filled.
    const Record* r = kind == kFavorite ? lists_[kind].FindById(static_cast<uint16_t>(row))
                                        : lists_[kind].FindById(lists_[kind].IdOfRow(row));
    if (r) return layout_->Describe(kind, *r);
    return layout_->Describe(kind, layout_->NewRecord(kind));
}

uint32_t DatabaseEngine::IsActiveOnly(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].activeOnly() : 0;
}

uint32_t DatabaseEngine::GetSortState(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].sortState() : 0;
}

int DatabaseEngine::KeyFilterCount(int kind) {
    return ValidKind(kind, 3) ? static_cast<int>(lists_[kind].keyFilter().size()) : 0;
}

std::vector<Record> DatabaseEngine::ExportRecords(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].records() : std::vector<Record>{};
}

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

void DatabaseEngine::BeginChange() {
    if (!history_.Recording()) renumbered_ = {};
    history_.Begin(lists_);
}

void DatabaseEngine::EndChange(const std::string& label) {
    history_.End(label, lists_, renumbered_);
    if (!history_.Recording()) renumbered_ = {};
}

void DatabaseEngine::NoteRenumbered(int kind, const std::vector<uint16_t>& map) {
    std::vector<uint16_t>& total = renumbered_[kind];
    if (total.empty()) {
        total = map;
        return;
    }
    // A second renumbering in the same step follows the first.
    for (uint16_t& id : total)
        if (id != kNone) id = id < map.size() ? map[id] : kNone;
}

std::string DatabaseEngine::StoreLabel(int kind, const Record* before,
                                       std::span<const uint8_t> after) const {
    if (!before) return "Add " + KindLabel(kind, 1);
    const size_t nameStart = layout_->NameOffset(kind);
    const size_t nameEnd = nameStart + layout_->NameSize(kind);
    bool outsideName = false;
    for (size_t i = 0; i < after.size() && i < before->size; ++i)
        if (after[i] != before->data()[i] && (i < nameStart || i >= nameEnd)) outsideName = true;
    if (!outsideName) return "Rename " + KindLabel(kind, 1);
    if (kind == kTv || kind == kRadio) {
        const Record wanted(before->id, after);
        Record memberships = *before;
        for (int group = 0; group < 16; ++group)
            layout_->SetFavoriteMember(memberships, group,
                                       layout_->IsFavoriteMember(wanted, group));
        if (memberships == wanted) return "Change Favourites";
    }
    return "Edit " + KindLabel(kind, 1);
}

void DatabaseEngine::MarkSaved() {
    history_.MarkSaved();
    modified = 0;
}

int DatabaseEngine::Undo(const ListControls& controls) {
    return ApplyStep(true, controls);
}

int DatabaseEngine::Redo(const ListControls& controls) {
    return ApplyStep(false, controls);
}

int DatabaseEngine::ApplyStep(bool undo, const ListControls& controls) {
    if (history_.Recording()) return 0;
    std::array<std::vector<uint16_t>, 4> selected;
    for (int kind = 0; kind < 4; ++kind)
        if (ListControl* c = controls.at(kind)) selected[kind] = SelectedIds(lists_[kind], *c);
    UndoHistory::Applied applied;
    if (!(undo ? history_.Undo(lists_, applied) : history_.Redo(lists_, applied))) return 0;

    // Key filters name parents by id: they follow the parents' restored ids.
    std::array<bool, 4> refresh{};
    if (applied.changed[kSatellite]) {
        lists_[kTransponder].RemapKeys(applied.idMaps[kSatellite]);
        refresh[kSatellite] = refresh[kTransponder] = true;
    }
    if (applied.changed[kTransponder]) {
        for (int ch : {kTv, kRadio}) lists_[ch].RemapKeys(applied.idMaps[kTransponder]);
        refresh[kTransponder] = refresh[kTv] = refresh[kRadio] = true;
    }
    for (int kind : {kTv, kRadio}) refresh[kind] |= applied.changed[kind];
    UpdateActiveMarks();
    modified = history_.AtSavedState() ? 0 : 1;

    for (int kind = 0; kind < 4; ++kind) {
        ListControl* control = controls.at(kind);
        if (!refresh[kind] || !control) continue;
        Refresh(kind, control);
        const std::vector<uint16_t>& map = applied.idMaps[kind];
        for (uint16_t id : selected[kind]) {
            if (applied.changed[kind]) id = id < map.size() ? map[id] : kNone;
            const int row = lists_[kind].RowOfId(id);
            if (row != kNoRow) control->SetRowSelected(row, true);
        }
    }
    return 1;
}

int DatabaseEngine::RearrangeList(int kind, std::vector<Record> records, const std::string& label) {
    if (!ValidKind(kind, 3)) return 0;
    RecordList& list = lists_[kind];
    if (records.size() != list.records().size()) return 0;
    std::vector<bool> seen(records.size(), false);
    for (const Record& r : records) {
        const Record* current = list.FindById(r.id);
        if (!current || r.size != current->size) return 0;
        const int position = list.PositionOfId(r.id);
        if (seen[position]) return 0;
        seen[position] = true;
        if (ParentRef(kind, r) != ParentRef(kind, *current)) return 0;
    }
    if (records == list.records()) return 1;
    ChangeScope change(*this);
    change.label = label;
    list.ReplaceRecords(std::move(records));
    modified = 1;
    return 1;
}

int DatabaseEngine::SetNameFilter(int kind, std::string_view text, ListControl* control) {
    if (!ValidKind(kind, 3)) return 0;
    lists_[kind].setNameFilter(FoldCaseForFind(text));
    if (control) Refresh(kind, control);
    return 1;
}

void DatabaseEngine::RebuildImage(std::span<uint8_t> image) const {
    for (const ImageSection& s : layout_->Sections()) {
        const size_t area = size_t(s.capacity) * s.recordSize;
        if (image.size() < s.recordsOffset + area) continue;
        std::memset(image.data() + s.recordsOffset, 0xFF, area);
        const auto& records = lists_[s.kind].records();
        const int n = std::min(static_cast<int>(records.size()), s.capacity);
        WriteU16(image.data() + s.countOffset, static_cast<uint16_t>(n));
        const int parentKind = s.kind == kTransponder ? kSatellite
                               : s.kind == kSatellite ? -1
                                                      : kTransponder;
        for (int i = 0; i < n; ++i) {
            Record out = records[i];
            if (parentKind >= 0) {
                const int p = lists_[parentKind].PositionOfId(ParentRef(s.kind, out));
                if (p >= 0)
                    SetParentRef(s.kind, out, static_cast<uint16_t>(p));
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
