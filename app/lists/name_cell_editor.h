// The in-place editor F2 opens over a row's name cell. Enter hands the text
// on; Esc, or focus going elsewhere, gives up. Either ends it exactly once.
#pragma once

#include <QLineEdit>

namespace brondavel::app {

class NameCellEditor : public QLineEdit {
    Q_OBJECT
  public:
    NameCellEditor(const QString& name, QWidget* parent);

  signals:
    void accepted(const QString& text);
    void cancelled();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void Finish(bool accept);

    bool finished_ = false;
};

}  // namespace brondavel::app
