#include "app/panel/message_boxes.h"

#include <QMessageBox>

namespace brondavel::app {

int AskUser(QWidget* parent, const QString& text, int buttons, int defaultButton) {
    QMessageBox box(QMessageBox::Question, "Message", text,
                    static_cast<QMessageBox::StandardButtons>(buttons), parent);
    if (defaultButton != 0)
        box.setDefaultButton(static_cast<QMessageBox::StandardButton>(defaultButton));
    return box.exec();
}

void TellUser(QWidget* parent, MessageLevel level, const QString& text) {
    const QMessageBox::Icon icon = level == MessageLevel::kError     ? QMessageBox::Critical
                                   : level == MessageLevel::kSuccess ? QMessageBox::Information
                                                                     : QMessageBox::NoIcon;
    QMessageBox box(icon, CaptionOf(level), text, QMessageBox::Ok, parent);
    box.exec();
}

QString FailureText(const QString& verb, const QString& path, const std::string& reason) {
    const QString why = QString::fromStdString(reason);
    if (why.contains(path)) return why;
    return QString("%1 \"%2\":\n%3").arg(verb, path, why.isEmpty() ? "Unknown error." : why);
}

}  // namespace brondavel::app
