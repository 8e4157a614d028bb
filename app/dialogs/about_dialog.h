// The about box: the program and its version, the receiver firmware it
// speaks, and the libraries it runs on.
#pragma once

#include <QDialog>

namespace brondavel::app {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // The text the box shows.
    static QString Text();
};

}  // namespace brondavel::app
