#include "tests/app/support/gui_test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "app/panel/main_panel.h"
#include "files/database_file.h"
#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/first_gen_layout.h"
#include "model/memory_controls.h"
#include "model/second_gen_database.h"
#include "tests/support/build_paths.h"

namespace brondavel::test {

void OnNextModal(std::function<void(QWidget*)> action, int timeoutMs) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    // The pending timer owns the poll; the poll knows itself only weakly, so
    // nothing is left behind when the program ends before the timer fires.
    *poll = [action, clock, self = std::weak_ptr(poll), timeoutMs] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        if (clock->elapsed() >= timeoutMs) return;  // gives up
        QTimer::singleShot(10, [poll = self.lock()] {
            if (poll) (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] {
        if (*poll) (*poll)();
    });
}

std::string DemoDatabasePath() {
    return buildpaths::BinaryDir() + "/share/demo.ZCS";
}

QString WriteDemoFile(const QString& folder, int model, int flash, int compress) {
    const QString path =
        QString("%1/demo-%2-%3-%4.bin").arg(folder).arg(model).arg(flash).arg(compress);
    auto file = MakeDatabaseFile(path.toStdString(), model, flash, compress);
    (model == 2 ? FillFirstGenDemo : FillSecondGenDemo)(file->db(), {}, 1);
    return file->Save(path.toStdString()) ? path : QString();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

app::PanelOptions DemoPanelOptions() {
    app::PanelOptions options;
    options.filePath = QString::fromStdString(DemoDatabasePath());
    return options;
}

std::unique_ptr<DatabaseEngine> DemoDatabaseFor(int model) {
    std::unique_ptr<DatabaseEngine> db;
    if (model == 2)
        db = std::make_unique<FirstGenDatabase>();
    else
        db = std::make_unique<SecondGenDatabase>();
    (model == 2 ? FillFirstGenDemo : FillSecondGenDemo)(*db, {}, 1);
    // The default groups a first-generation load creates, for both.
    const std::vector<Record> groups = FirstGenLayout().FavoritesFromImage({});
    db->AddRecords(kFavorite, nullptr, groups.data(), static_cast<int>(groups.size()));
    MemoryListControl list;
    for (int kind = 0; kind < 4; ++kind) db->Refresh(kind, &list);
    return db;
}

void DragWindow(QWidget* w, QPoint local, QPoint to, int steps) {
    QWindow* window = w->windowHandle();
    const QPoint from = w->mapToGlobal(local);
    QTest::mousePress(window, Qt::LeftButton, {}, local);
    // After each step the window system has placed the window where the
    // widget stands before the next step goes in.
    auto settled = [w, window] {
        return QTest::qWaitFor([&] { return window->framePosition() == w->pos(); }, 1000);
    };
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = from + (to - from) * i / steps;
        QTest::mouseMove(window, window->mapFromGlobal(at));
        settled();
    }
    QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(to));
    settled();
}

}  // namespace brondavel::test
