// One of the nine one-letter buttons across the top of a list window: a
// centred label that reports clicks and is drawn bold while its state holds.
#pragma once

#include <QLabel>

namespace brondavel::app {

class LetterButton : public QLabel {
    Q_OBJECT
  public:
    LetterButton(int index, QWidget* parent = nullptr);
    int index() const { return index_; }
    void SetHighlighted(bool on);
    bool Highlighted() const { return highlighted_; }

  signals:
    void clicked(int index);

  protected:
    // Taken here so that a click never starts a window drag.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const int index_;
    const QFont normal_, bold_;
    bool highlighted_ = false;
};

}  // namespace brondavel::app
