#include "app/lists/letter_button.h"

#include <QMouseEvent>

#include "app/lists/cell_height_font.h"

namespace brondavel::app {

LetterButton::LetterButton(int index, QWidget* parent)
    : QLabel(parent),
      index_(index),
      normal_(CellHeightFont(QStringLiteral("Tahoma"), 14)),
      bold_(CellHeightFont(QStringLiteral("Tahoma"), 14, true)) {
    setObjectName(QStringLiteral("letter%1").arg(index));
    setAlignment(Qt::AlignCenter);
    setFont(normal_);
}

void LetterButton::SetHighlighted(bool on) {
    highlighted_ = on;
    setFont(on ? bold_ : normal_);
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
