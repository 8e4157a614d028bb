#include "app/edit/record_dialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace brondavel::app {

RecordDialog::RecordDialog(QWidget* parent, int model, int kind, ChannelDatabase* database, int row)
    : QDialog(parent),
      generation_(database ? GenerationOfModel(model) : RecordGeneration::kNone),
      kind_(kind),
      database_(database),
      row_(row) {}

void RecordDialog::LoadWorkingCopy(std::span<uint8_t> stored) {
    if (database_) database_->GetRowData(kind_, row_, stored);
}

bool RecordDialog::StoreWorkingCopy(std::span<const uint8_t> stored) {
    return database_ && database_->StoreRecord(kind_, row_, stored) != 0;
}

void RecordDialog::Save() {
    if (generation_ == RecordGeneration::kNone) return;
    if (StoreEntries()) {
        accept();
        return;
    }
    QMessageBox::warning(this, QStringLiteral("Error"),
                         QStringLiteral("The record was not stored: the list is full or already "
                                        "holds the same record."));
}

QLineEdit* RecordDialog::NewEdit(const char* id) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(id));
    return edit;
}

QDialogButtonBox* RecordDialog::MakeButtons() {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    save->setObjectName(QStringLiteral("idSave"));
    cancel->setObjectName(QStringLiteral("idCancel"));
    save->setDefault(true);
    // Save decides itself whether the dialog ends.
    connect(save, &QPushButton::clicked, this, &RecordDialog::Save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return buttons;
}

}  // namespace brondavel::app
