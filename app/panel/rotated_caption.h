// A caption written upwards along the panel's left edge, in bold "Arial".
#pragma once

#include <QWidget>

namespace brondavel::app {

class RotatedCaption : public QWidget {
    Q_OBJECT
  public:
    explicit RotatedCaption(QWidget* parent = nullptr);
    void setText(const QString& text);
    const QString& text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
};

}  // namespace brondavel::app
