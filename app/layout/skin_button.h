// A button drawn from two pictures, released and pressed, such as the list
// windows' close button.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace brondavel::app {

class SkinButton : public QAbstractButton {
    Q_OBJECT
  public:
    SkinButton(QPixmap released, QPixmap pressed, QWidget* parent = nullptr);
    // The list windows' close button, from our own pictures.
    static SkinButton* CloseButton(QWidget* parent);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap released_;
    QPixmap pressed_;
};

}  // namespace brondavel::app
