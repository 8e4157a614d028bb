// "Password": the administrator password prompt the panel opens after the
// Home key. It accepts only the right password; a wrong one empties the field.
#pragma once

#include <QDialog>

class QLineEdit;

namespace brondavel::app {

class PasswordDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxLength = 10;
    explicit PasswordDialog(QWidget* parent = nullptr);

  private:
    void OnOk();
    QLineEdit* field_;
};

}  // namespace brondavel::app
