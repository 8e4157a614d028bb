#include "app/lists/letter_button.h"

#include <QMouseEvent>

namespace brondavel::app {

namespace {

QFont LetterFont(bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(14);
    font.setBold(bold);
    return font;
}

}  // namespace

LetterButton::LetterButton(int index, QWidget* parent) : QLabel(parent), index_(index) {
    setObjectName(QStringLiteral("letter%1").arg(index));
    setAlignment(Qt::AlignCenter);
    setFont(LetterFont(false));
}

void LetterButton::SetHighlighted(bool on) {
    highlighted_ = on;
    setFont(LetterFont(on));
}

void LetterButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void LetterButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(index_);
    QLabel::mouseReleaseEvent(event);
}

}  // namespace brondavel::app
