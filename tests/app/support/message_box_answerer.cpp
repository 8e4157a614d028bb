#include "tests/app/support/message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>

namespace brondavel::test {

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers)
    : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::Poll);
    timer_.start(10);
}

bool MessageBoxAnswerer::Saw(const QString& caption, const QString& text) const {
    for (const Seen& s : seen_)
        if (s.caption == caption && s.text == text) return true;
    return false;
}

bool MessageBoxAnswerer::SawPart(const QString& part) const {
    for (const Seen& s : seen_)
        if (s.text.contains(part)) return true;
    return false;
}

bool MessageBoxAnswerer::SawOnly(const QString& caption, const QString& part) const {
    if (seen_.size() != 1) qWarning("%d message boxes", int(seen_.size()));
    return seen_.size() == 1 && seen_[0].caption == caption && seen_[0].text.contains(part);
}

void MessageBoxAnswerer::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box == last_) return;
    last_ = box;
    seen_.push_back({box->windowTitle(), box->text()});
    QAbstractButton* button = nullptr;
    if (!answers_.empty()) {
        button = box->button(answers_.front());
        answers_.pop_front();
    }
    if (!button) button = box->button(QMessageBox::Ok);
    if (!button && !box->buttons().isEmpty()) button = box->buttons().front();
    if (button) button->click();
}

}  // namespace brondavel::test
