// The five list windows over the demo database of the first generation, for
// the tests of the keys, find and export.
#pragma once

#include <QApplication>
#include <QTest>

#include "model/field_table.h"
#include "model/record_rename.h"
#include "tests/app/gui/list_windows_fixture.h"
#include "tests/app/support/gui_test_support.h"

namespace brondavel::test {

struct DemoListWindows {
    ListWindows windows;
    std::unique_ptr<DatabaseEngine> db = DemoDatabaseFor(2);

    DemoListWindows() {
        for (int kind = 0; kind < 5; ++kind) {
            Window(kind).SetDatabase(db.get());
            Window(kind).RefreshList();
        }
    }
    app::ListWindow& Window(int kind) { return windows.Window(kind); }
    app::ListViewControl& Control(int kind) { return windows.Control(kind); }
    app::ListView& View(int kind) { return windows.View(kind); }
    void Select(int kind, std::initializer_list<int> rows) { windows.Select(kind, rows); }
    // Shows the window with its list focused, as a user works in it.
    void Focus(int kind) {
        Window(kind).show();
        Window(kind).activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window(kind)));
        View(kind).setFocus();
    }
    int Rows(int kind) { return Control(kind).rowCount(); }
    // The whole names of the rows shown.
    std::vector<std::string> Names(int kind) {
        std::vector<std::string> names;
        for (int row = 0; row < Rows(kind); ++row) names.push_back(FullName(*db, kind, row));
        return names;
    }
    // The whole names of every record of a kind, in stored order.
    std::vector<std::string> AllNames(int kind) {
        std::vector<std::string> names;
        const FieldSpec* name = NameField(FieldsOf(Generation::kFirst, kind));
        for (const Record& r : db->list(kind).records()) names.push_back(FieldName(*name, r));
        return names;
    }
};

}  // namespace brondavel::test
