// The frame the three record dialogs share: the working copy's origin (kind,
// database, row), the name entry, Save and Cancel. The database tells the
// record layout. Save ends the dialog only when the database stored the
// record, or when nothing was changed; it then stores nothing.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <optional>
#include <string>

#include "app/logic/record_forms.h"
#include "model/database_engine.h"
#include "model/field_table.h"

namespace brondavel::app {

class RecordDialog : public QDialog {
    Q_OBJECT
  public:
    RecordDialog(QWidget* parent, int kind, DatabaseEngine& database, int row);

    Generation generation() const { return generation_; }
    int kind() const { return kind_; }
    int row() const { return row_; }
    bool IsNewRecord() const { return row_ == kNoRow; }
    // The id of the record Save added, once it did.
    std::optional<uint16_t> newRecordId() const { return newRecordId_; }

  public slots:
    // Writes the entries into the working copy and hands it to the database.
    void Save();

  protected:
    enum class SaveOutcome { kStored, kNothingChanged, kNameRefused, kRefused };
    virtual SaveOutcome StoreEntries() = 0;

    // Fills the working copy of the database's generation and reads it into
    // `form`.
    template <typename Form, typename First, typename Second>
    void LoadForm(First& first, Second& second, Form& form) {
        if (generation_ == Generation::kFirst) {
            LoadWorkingCopy(first.stored);
            form = ReadForm(first);
        } else {
            LoadWorkingCopy(second.stored);
            form = ReadForm(second);
        }
    }
    // Writes what differs between `entered` and `shown` into the working copy
    // and stores it.
    template <typename Form, typename First, typename Second>
    SaveOutcome StoreForm(const Form& entered, const Form& shown, First& first, Second& second) {
        if (generation_ == Generation::kFirst) {
            WriteForm(entered, shown, first);
            return StoreNamed(entered.name, shown.name, first.ToRecord());
        }
        WriteForm(entered, shown, second);
        return StoreNamed(entered.name, shown.name, second.ToRecord());
    }

    DatabaseEngine& database() const { return database_; }
    QDialogButtonBox* MakeButtons();
    // An edit box of the dialog named `id`, as the tests find it.
    QLineEdit* NewEdit(const char* id);
    // The name box: it takes no more than the record's name field stores.
    QLineEdit* NewNameEdit();

  private:
    void LoadWorkingCopy(std::span<uint8_t> stored);
    SaveOutcome StoreNamed(const std::string& name, const std::string& shownName, Record record);

    Generation generation_;
    int kind_;
    DatabaseEngine& database_;
    int row_;
    Record loaded_;
    std::optional<uint16_t> newRecordId_;
};

}  // namespace brondavel::app
