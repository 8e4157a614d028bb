#include "app/dialogs/epg_test_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <cerrno>
#include <cstring>
#include <span>
#include <string>

#include "files/atomic_file.h"
#include "tools/silog/log_listing.h"

namespace brondavel::app {

// "Bin File(*.txt)|*.txt||" in Qt's filter syntax.
static const QString kLogFilter = QStringLiteral("Bin File(*.txt)");

EpgTestDialog::EpgTestDialog(QWidget* parent, int model, ChannelDatabase* database)
    : QDialog(parent), model_(model), database_(database) {
    setWindowTitle("EPG Test");
    auto* grid = new QGridLayout(this);
    grid->setColumnMinimumWidth(1, 320);
    grid->setColumnStretch(1, 1);

    QPushButton* fnt = AddRow(0, "FNT Open", "fntOpen", networkPath_);
    QPushButton* epg = AddRow(1, "EPG Open", "epgOpen", eventPath_);
    QPushButton* print = AddRow(2, "Log Print", "logPrint", printPath_);
    connect(fnt, &QPushButton::clicked, this, [this] {
        const QString path = ChooseLogFile("FNT Open");
        if (!path.isEmpty()) OpenNetworkLog(path);
    });
    connect(epg, &QPushButton::clicked, this, [this] {
        const QString path = ChooseLogFile("EPG Open");
        if (!path.isEmpty()) OpenEventLog(path);
    });
    connect(print, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, "Log Print", QString(), kLogFilter);
        if (!path.isEmpty()) PrintLog(path);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("id1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("id2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
}

QPushButton* EpgTestDialog::AddRow(int row, const QString& text, const QString& name,
                                   QLineEdit*& path) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    path = new QLineEdit(this);
    path->setObjectName(name + "Path");
    path->setReadOnly(true);
    grid->addWidget(button, row, 0);
    grid->addWidget(path, row, 1);
    return button;
}

QString EpgTestDialog::ChooseLogFile(const QString& title) {
    return QFileDialog::getOpenFileName(this, title, QString(), kLogFilter);
}

void EpgTestDialog::ShowError(const QString& text) {
    QMessageBox::critical(this, "Error", text);
}

bool EpgTestDialog::OpenNetworkLog(const QString& path) {
    networkPath_->setText(path);
    if (network_.ReadFile(QFile::encodeName(path).toStdString())) return true;
    ShowError(QString("Cannot open %1: %2").arg(path, std::strerror(errno)));
    return false;
}

bool EpgTestDialog::OpenEventLog(const QString& path) {
    eventPath_->setText(path);
    if (events_.ReadFile(QFile::encodeName(path).toStdString())) return true;
    ShowError(QString("Cannot open %1: %2").arg(path, std::strerror(errno)));
    return false;
}

bool EpgTestDialog::PrintLog(const QString& path) {
    printPath_->setText(path);
    const std::string listing = silog::FormatLogListing(network_, events_);
    const auto* bytes = reinterpret_cast<const uint8_t*>(listing.data());
    std::string error;
    if (WriteFileAtomically(QFile::encodeName(path).toStdString(),
                            {std::span(bytes, listing.size())}, error))
        return true;
    // The writer's message names the path and the reason already.
    ShowError(QString::fromStdString(error));
    return false;
}

}  // namespace brondavel::app
