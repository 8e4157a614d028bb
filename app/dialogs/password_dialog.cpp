#include "app/dialogs/password_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/logic/configuration_options.h"

namespace brondavel::app {

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Password");
    setFixedSize(260, 84);
    auto* label = new QLabel("Password :", this);
    label->setGeometry(12, 16, 80, 24);
    field_ = new QLineEdit(this);
    field_->setObjectName("id1044");
    field_->setEchoMode(QLineEdit::Password);
    field_->setMaxLength(kMaxLength);
    field_->setGeometry(92, 16, 156, 24);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("id1");
    ok->setDefault(true);
    ok->setGeometry(168, 50, 80, 26);
    connect(ok, &QPushButton::clicked, this, &PasswordDialog::OnOk);
}

void PasswordDialog::OnOk() {
    if (IsAdministratorPassword(field_->text().toStdString())) {
        accept();
        return;
    }
    field_->clear();
    field_->setFocus();
}

}  // namespace brondavel::app
