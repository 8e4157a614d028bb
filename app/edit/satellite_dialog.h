// "Change Satellite Data": name, position, LNB, DiSEqC and switch settings of
// one satellite, for either receiver generation.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/edit/record_dialog.h"

namespace brondavel::app {

class SatelliteDialog : public RecordDialog {
    Q_OBJECT
  public:
    SatelliteDialog(QWidget* parent, DatabaseEngine& database, int row);

  protected:
    SaveOutcome StoreEntries() override;

  private:
    void BuildControls();
    void ShowForm(const SatelliteForm& form);
    SatelliteForm ReadEntries(SatelliteForm form) const;
    // The user picked an LNB type: frequencies and tone preset, then enabling.
    void LnbTypePicked();
    void ApplyLnbEnabling();
    // The user picked a DiSEqC version: that version's ports, "OFF" selected.
    void DiseqcVersionPicked();

    SatelliteRecord first_ = SatelliteRecord::Default(0);
    gen2::SatelliteRecord second_ = gen2::SatelliteRecord::Default(0);
    SatelliteForm shown_;

    QLineEdit* name_;
    QLineEdit* degree_;
    QComboBox* side_;
    QComboBox* lnbType_;
    QComboBox* highFreq_;
    QComboBox* lowFreq_;
    QComboBox* lnbPower_;
    QComboBox* diseqcVersion_;
    QComboBox* diseqcPort_;
    QComboBox* tone_;
    QLabel* switch12VLabel_;
    QComboBox* switch12V_;
};

}  // namespace brondavel::app
