#include "app/edit/record_dialog.h"

#include <QMessageBox>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

#include "model/record_rename.h"

namespace brondavel::app {

namespace {

size_t CharacterCount(const QString& text) {
    return static_cast<size_t>(text.toStdU32String().size());
}

// Refuses typing that the name field could not store whole. A name that is
// over the limit already (from a file) may still be shortened.
class NameLimit : public QValidator {
  public:
    NameLimit(const DatabaseLayout& layout, int kind, QLineEdit* edit)
        : QValidator(edit), layout_(layout), kind_(kind) {
        // The edit box holds the new text already while it is validated.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
    }

    State validate(QString& input, int&) const override {
        if (input.isEmpty()) return Intermediate;
        Record scratch = layout_.NewRecord(kind_);
        if (!NameRecord(layout_, kind_, scratch, input.toStdString()).cut) return Acceptable;
        return CharacterCount(input) > CharacterCount(last_) ? Invalid : Intermediate;
    }

  private:
    const DatabaseLayout& layout_;
    int kind_;
    QString last_;
};

// A core message ("a name cannot be empty") as a sentence.
QString Sentence(const std::string& text) {
    QString sentence = QString::fromStdString(text);
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    return sentence + QLatin1Char('.');
}

}  // namespace

RecordDialog::RecordDialog(QWidget* parent, int kind, DatabaseEngine& database, int row)
    : QDialog(parent),
      generation_(GenerationOf(database.layout())),
      kind_(kind),
      database_(database),
      row_(row) {}

void RecordDialog::LoadWorkingCopy(std::span<uint8_t> stored) {
    database_.GetRowData(kind_, row_, stored);
    loaded_.Assign(stored);
}

RecordDialog::SaveOutcome RecordDialog::StoreNamed(const std::string& name,
                                                   const std::string& shownName, Record record) {
    // A name shown as loaded keeps its bytes, even where the display text
    // would store differently.
    RenameResult naming;
    if (name != shownName) {
        naming = NameRecord(database_.layout(), kind_, record, name);
        if (!naming.Stored()) {
            QMessageBox::warning(this, QStringLiteral("Error"),
                                 Sentence(RenameRefusalText(naming)));
            return SaveOutcome::kNameRefused;
        }
    }
    if (!IsNewRecord() && std::ranges::equal(record.stored(), loaded_.stored()))
        return SaveOutcome::kNothingChanged;
    if (!database_.StoreRecord(kind_, row_, record.stored())) return SaveOutcome::kRefused;
    // A new record takes the next id.
    if (IsNewRecord()) newRecordId_ = static_cast<uint16_t>(database_.list(kind_).Count() - 1);
    if (naming.Changed() && !naming.stored.empty())
        QMessageBox::information(this, QStringLiteral("Message"),
                                 QStringLiteral("The name is stored as \"%1\" (%2).")
                                     .arg(QString::fromStdString(naming.stored),
                                          QString::fromStdString(RenameChangeText(naming))));
    return SaveOutcome::kStored;
}

void RecordDialog::Save() {
    switch (StoreEntries()) {
        case SaveOutcome::kStored:
        case SaveOutcome::kNothingChanged:
            accept();
            return;
        case SaveOutcome::kNameRefused:
            return;
        case SaveOutcome::kRefused:
            break;
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

QLineEdit* RecordDialog::NewNameEdit() {
    QLineEdit* edit = NewEdit("idName");
    edit->setValidator(new NameLimit(database_.layout(), kind_, edit));
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
