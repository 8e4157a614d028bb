// "Change Transponder Data": name, frequency, symbol rate, polarization, FEC
// and the satellite carrying the transponder.
#pragma once

#include <QComboBox>
#include <QLineEdit>

#include "app/edit/record_dialog.h"

namespace brondavel::app {

class TransponderDialog : public RecordDialog {
    Q_OBJECT
  public:
    TransponderDialog(QWidget* parent, DatabaseEngine& database, int row);

  protected:
    SaveOutcome StoreEntries() override;

  private:
    void BuildControls();
    void ShowForm(const TransponderForm& form);

    TransponderRecord first_ = TransponderRecord::Default();
    gen2::TransponderRecord second_ = gen2::TransponderRecord::Default();
    TransponderForm shown_;

    QLineEdit* name_;
    QLineEdit* frequency_;
    QLineEdit* symbolRate_;
    QComboBox* polarization_;
    QComboBox* fec_;
    QComboBox* satellite_;
};

}  // namespace brondavel::app
