#include "tests/app/support/gui_test_support.h"

#include <QElapsedTimer>
#include <QTimer>
#include <memory>

namespace brondavel::test {

void OnNextModal(std::function<void(QWidget*)> action, int timeoutMs) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, clock, poll, timeoutMs] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            *poll = nullptr;
            return;
        }
        if (clock->elapsed() >= timeoutMs) {
            *poll = nullptr;  // gives up, and ends the self-reference
            return;
        }
        QTimer::singleShot(10, [poll] {
            if (*poll) (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] {
        if (*poll) (*poll)();
    });
}

std::string DemoDatabasePath() {
    return BRONDAVEL_BINARY_DIR "/share/demo.ZCS";
}

}  // namespace brondavel::test
