// The five list windows over one first-generation database, as the panel
// wires them, for the list window and drag-and-drop tests.
#pragma once

#include <QAbstractItemModelTester>
#include <QSettings>
#include <array>
#include <memory>

#include "app/lists/list_view.h"
#include "app/lists/list_view_control.h"
#include "app/lists/list_window.h"
#include "app/logic/list_window_kinds.h"
#include "app/settings/settings_paths.h"
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
    void Show() {
        for (auto& w : owned) {
            w->SetDatabase(&db);
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

}  // namespace brondavel::test
