#include "app/dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/logic/status_line.h"

namespace brondavel::app {

QString AboutDialog::Text() {
    return QString(
               "<b>Brondavel</b> version %1<br>"
               "Channel database editor for satellite receivers.<br><br>"
               "Receiver firmware %4 (%5): the receiver software whose link and<br>"
               "database layout this program speaks. The status line starts with it.<br><br>"
               "Built with Qt %2 (Core, GUI, Widgets), running on Qt %3,<br>"
               "the C++ standard library and POSIX.<br>"
               "LH5 codec, receiver link and database engine: Brondavel's own.")
        .arg(BRONDAVEL_VERSION, QT_VERSION_STR, qVersion(), kFirmwareVersion, kFirmwareDate);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Brondavel");
    auto* text = new QLabel(Text(), this);
    text->setObjectName("id100");
    text->setTextFormat(Qt::RichText);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("id1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(text);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace brondavel::app
