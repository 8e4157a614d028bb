// Helpers shared by the GUI tests: finding widgets by control id, answering
// the next modal dialog, and the demo database.
#pragma once

#include <QApplication>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "model/database_engine.h"

namespace brondavel::app {
struct PanelOptions;
}

namespace brondavel::test {

// The widget named "id<id>" below `root`, or null.
template <typename T = QWidget>
T* ById(QObject* root, int id) {
    return root->findChild<T*>(QStringLiteral("id%1").arg(id));
}

// Runs `action` on the next modal widget that becomes active (a message box or
// dialog opened by the code under test), from an event-loop turn.
void OnNextModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);

// The demo database written by the build.
std::string DemoDatabasePath();
// The demo records written as a file of `model` with the given flash and
// compress settings, at `path` in `folder`; the path, or empty on failure.
QString WriteDemoFile(const QString& folder, int model, int flash, int compress);

// A file's bytes; empty when it cannot be read.
QByteArray ReadAll(const QString& path);
// Writes `bytes` as the whole file; false when it cannot.
bool WriteAll(const QString& path, const QByteArray& bytes);
// Panel options that open the demo database at start.
app::PanelOptions DemoPanelOptions();

// The demo records of a model's generation (2: first, 0 and 1: second) with
// the 16 favourite groups a file load creates, every list filled once.
std::unique_ptr<DatabaseEngine> DemoDatabaseFor(int model);

// Presses at `local` in `w`, moves in steps to the screen point `to` and
// releases there, letting the window system place the window after each step.
void DragWindow(QWidget* w, QPoint local, QPoint to, int steps = 8);

}  // namespace brondavel::test
