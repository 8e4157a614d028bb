// The five list windows as the panel wires them: over a first-generation
// database of the test's own, or over the first-generation demo.
#pragma once

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSettings>
#include <QTest>
#include <array>
#include <memory>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/lists/list_window.h"
#include "app/logic/list_window_kinds.h"
#include "app/settings/settings_paths.h"
#include "model/record_rename.h"
#include "model/record_text.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/model/test_builders.h"

namespace brondavel::test {

// Forgets every stored list window rectangle.
inline void ForgetListRects() {
    QSettings store(app::RegistryFilePath(), QSettings::IniFormat);
    store.beginGroup(app::kRegistryKeyPath);
    for (const app::KindTraits& kind : app::kKindTraits) store.remove(kind.rectangleName);
}

struct ListWindows {
    app::ListControlArray controls{};
    app::ListWindowArray windows{};
    std::array<std::unique_ptr<app::ListWindow>, 5> owned;
    // Every fill and reset of the five models is checked as it happens.
    std::array<std::unique_ptr<QAbstractItemModelTester>, 5> testers;
    FirstGenDatabase db;

    ListWindows() {
        for (int kind = 0; kind < 5; ++kind) {
            owned[kind] = std::make_unique<app::ListWindow>(nullptr, kind, &controls, &windows);
            testers[kind] = std::make_unique<QAbstractItemModelTester>(
                Window(kind).View()->control(),
                QAbstractItemModelTester::FailureReportingMode::QtTest);
        }
    }

    // Gives the database to all five windows and fills them, as a load does.
    void Load() { db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0)); }
    // Gives `on` (the own database when null) to the five windows and fills them.
    void Show(DatabaseEngine* on = nullptr) {
        for (auto& w : owned) {
            w->SetDatabase(on ? on : &db);
            w->RefreshList();
        }
    }
    // Loads, fills with the small set of test records and shows.
    void ShowSmall() {
        Load();
        FillSmall(db);
        Show();
    }
    app::ListWindow& Window(int kind) { return *owned[kind]; }
    app::ListViewControl& Control(int kind) { return *Window(kind).View()->control(); }
    app::ListView& View(int kind) { return *Window(kind).View(); }
    // Selects exactly `rows` in a window's view.
    void Select(int kind, std::initializer_list<int> rows) {
        View(kind).clearSelection();
        for (int row : rows) Control(kind).SetRowSelected(row, true);
    }
    // The names column of a window's rows, in row order.
    QStringList Names(int kind) {
        QStringList names;
        const int column = app::TraitsOf(static_cast<RecordKind>(kind)).mainColumn;
        for (int row = 0; row < Control(kind).rowCount(); ++row)
            names << Control(kind).Text(row, column);
        return names;
    }
};

// The windows over the demo of the first generation, for the keys, find and
// export.
struct DemoListWindows : ListWindows {
    std::unique_ptr<DatabaseEngine> db = DemoDatabaseFor(2);

    DemoListWindows() { Show(db.get()); }
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
        for (const Record& r : db->list(kind).records())
            names.push_back(WholeName(db->layout(), kind, r));
        return names;
    }
};

}  // namespace brondavel::test
