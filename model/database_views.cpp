// What the list windows show: the filters, the active marks, the selection
// cascade between the linked windows, and the texts of rows and pick lists.
#include <unordered_set>

#include "model/database_engine.h"
#include "model/name_filter.h"
#include "text/conexant_text.h"

namespace brondavel {

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

uint32_t DatabaseEngine::IsActiveOnly(int kind) {
    return ValidKind(kind, 3) ? lists_[kind].activeOnly() : 0;
}

int DatabaseEngine::Refresh(int kind, ListControl* control) {
    if (!ValidKind(kind, 4) || !control) return 0;
    RecordList::FilterKey filterKey;
    if (ParentKind(kind) >= 0)
        filterKey = [this, kind](const Record& r) { return uint32_t(graph_.ParentRef(kind, r)); };
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

int DatabaseEngine::RefreshKeepSelection(int kind, ListControl* control, int) {
    if (!ValidKind(kind, 3) || !control) return 0;
    const std::vector<uint16_t> selected = SelectedIds(lists_[kind], *control);
    Refresh(kind, control);
    SelectRowsOfIds(lists_[kind], *control, selected);
    return 1;
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

int DatabaseEngine::KeyFilterCount(int kind) {
    return ValidKind(kind, 3) ? static_cast<int>(lists_[kind].keyFilter().size()) : 0;
}

int DatabaseEngine::SetNameFilter(int kind, std::string_view text, ListControl* control) {
    if (!ValidKind(kind, 3)) return 0;
    lists_[kind].setNameFilter(FoldCaseForFind(text));
    if (control) Refresh(kind, control);
    return 1;
}

void DatabaseEngine::SelectRowIfShown(ListControl* control, int kind, uint16_t id) {
    if (!control || id == kNone) return;
    const int row = lists_[kind].RowOfId(id);
    if (row != kNoRow) SelectOnlyRow(*control, row);
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

int DatabaseEngine::FillPickList(int kind, ComboBox* combo) {
    if (!ValidKind(kind, 3) || !combo) return 0;
    return lists_[kind].FillPickList(combo, [this, kind](int id, ComboBox& box, const Record& r) {
        box.InsertItem(id, layout_->PickListText(kind, r));
    });
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

}  // namespace brondavel
