// Helpers shared by the GUI tests: finding widgets by control id, answering
// the next modal dialog, and the demo database.
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

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

}  // namespace brondavel::test
