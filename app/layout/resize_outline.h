// The dotted one-pixel outline that shows where a grip resize will leave the
// window while the window itself does not follow (it would shrink). A
// separate, input-transparent window shaped to its own outline, so it needs no
// compositor.
#pragma once

#include <QWidget>

namespace brondavel::app {

class ResizeOutline : public QWidget {
    Q_OBJECT
  public:
    ResizeOutline();
    // Shows the outline around `frame` (screen coordinates).
    void ShowAround(const QRect& frame);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace brondavel::app
