// The frame the three record dialogs share: the working copy's origin (model,
// kind, database, row), Save and Cancel. Save ends the dialog only when the
// database stored the record.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <span>

#include "app/logic/record_forms.h"
#include "model/channel_database.h"

namespace brondavel::app {

class RecordDialog : public QDialog {
    Q_OBJECT
  public:
    RecordDialog(QWidget* parent, int model, int kind, ChannelDatabase* database, int row);

    RecordGeneration generation() const { return generation_; }
    int kind() const { return kind_; }
    int row() const { return row_; }
    bool IsNewRecord() const { return row_ == kNoRow; }

  public slots:
    // Writes the entries into the working copy and hands it to the database.
    void Save();

  protected:
    // The entries into the working copy, then StoreRecord; false when refused.
    virtual bool StoreEntries() = 0;

    // Fills a working copy from the database (the default name only, for a
    // new record).
    void LoadWorkingCopy(std::span<uint8_t> stored);
    // Fills the working copy of the dialog's generation and reads it into
    // `form`; false for a model without a record layout.
    template <typename Form, typename First, typename Second>
    bool LoadForm(First& first, Second& second, Form& form) {
        switch (generation_) {
            case RecordGeneration::kFirst:
                LoadWorkingCopy(first.stored);
                form = ReadForm(first);
                return true;
            case RecordGeneration::kSecond:
                LoadWorkingCopy(second.stored);
                form = ReadForm(second);
                return true;
            case RecordGeneration::kNone:
                break;
        }
        return false;
    }
    bool StoreWorkingCopy(std::span<const uint8_t> stored);
    ChannelDatabase* database() const { return database_; }
    QDialogButtonBox* MakeButtons();
    // An edit box of the dialog named `id`, as the tests find it.
    QLineEdit* NewEdit(const char* id);

  private:
    RecordGeneration generation_;
    int kind_;
    ChannelDatabase* database_;
    int row_;
};

}  // namespace brondavel::app
