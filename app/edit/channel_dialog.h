// "Change Channel Data": PIDs, lock, the audio list and mode, the access
// systems, the favourite groups and the transponder of one TV or radio
// channel.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "app/edit/audio_list_editor.h"
#include "app/edit/record_dialog.h"

namespace brondavel::app {

class ChannelDialog : public RecordDialog {
    Q_OBJECT
  public:
    // kind: 2 TV, 3 radio.
    ChannelDialog(QWidget* parent, int kind, DatabaseEngine& database, int row);

  protected:
    SaveOutcome StoreEntries() override;

  private:
    void BuildControls();
    void ShowForm(const ChannelForm& form);
    ChannelForm ReadEntries(ChannelForm form) const;

    ServiceRecord first_ = ServiceRecord::Default();
    gen2::ServiceRecord second_ = gen2::ServiceRecord::Default();
    ChannelForm shown_;

    QLineEdit* name_;
    QLineEdit* videoPid_;
    QLineEdit* pcrPid_;
    QLineEdit* pmtPid_;
    QLineEdit* teletextPid_;
    QLineEdit* serviceId_;
    QCheckBox* locked_;
    AudioListEditor* audio_;
    QComboBox* audioMode_;
    std::array<QCheckBox*, kAccessSystemCount> access_{};
    std::array<QCheckBox*, kFavoriteGroupCount> favorites_{};
    QLabel* satelliteLabel_;
    QComboBox* satellite_;
    QComboBox* transponder_;
};

}  // namespace brondavel::app
