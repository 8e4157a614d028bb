#include "app/edit/channel_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/edit/option_combo.h"
#include "app/logic/new_record.h"

namespace brondavel::app {

ChannelDialog::ChannelDialog(QWidget* parent, int kind, DatabaseEngine& database, int row)
    : RecordDialog(parent, kind, database, row) {
    setWindowTitle(QStringLiteral("Change Channel Data"));
    BuildControls();
    LoadForm(first_, second_, shown_);
    ShowForm(shown_);
}

void ChannelDialog::BuildControls() {
    name_ = NewNameEdit();
    videoPid_ = NewEdit("idVideoPid");
    pcrPid_ = NewEdit("idPcrPid");
    pmtPid_ = NewEdit("idPmtPid");
    teletextPid_ = NewEdit("idTtxPid");
    serviceId_ = NewEdit("idServiceId");
    locked_ = new QCheckBox(QStringLiteral("Channel Lock"), this);
    locked_->setObjectName(QStringLiteral("idChannelLock"));
    audio_ = new AudioListEditor(this);
    audio_->setObjectName(QStringLiteral("idAudioList"));
    audioMode_ = NewOptionCombo(this, "idAudioMode", kAudioModeOptions);
    satellite_ = NewOptionCombo(this, "idSatellite");
    satelliteLabel_ = new QLabel(QStringLiteral("Satellite"), this);
    satelliteLabel_->setObjectName(QStringLiteral("idSatelliteLabel"));
    // Channels are moved between satellites through their transponder.
    satellite_->hide();
    satelliteLabel_->hide();
    transponder_ = NewOptionCombo(this, "idTransponder");
    transponder_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Name"), name_);
    fields->addRow(QStringLiteral("Video PID"), videoPid_);
    fields->addRow(QStringLiteral("PCR PID"), pcrPid_);
    fields->addRow(QStringLiteral("PMT PID"), pmtPid_);
    fields->addRow(QStringLiteral("TTX PID"), teletextPid_);
    fields->addRow(QStringLiteral("Service ID"), serviceId_);
    fields->addRow(QString(), locked_);

    auto* audioColumn = new QVBoxLayout;
    audioColumn->addWidget(audio_, 1);
    auto* modeRow = new QFormLayout;
    modeRow->addRow(QStringLiteral("Audio Mode"), audioMode_);
    audioColumn->addLayout(modeRow);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(audioColumn);

    auto* scrambled = new QGroupBox(QStringLiteral("Scrambled"), this);
    scrambled->setObjectName(QStringLiteral("idScrambled"));
    auto* scrambledGrid = new QGridLayout(scrambled);
    for (size_t i = 0; i < kAccessSystemCount; ++i) {
        access_[i] = new QCheckBox(QString::fromLatin1(kAccessSystemNames[i]), scrambled);
        access_[i]->setObjectName(QStringLiteral("idAccess%1").arg(i));
        scrambledGrid->addWidget(access_[i], i / 4, i % 4);
    }

    auto* favoriteGroup = new QGroupBox(QStringLiteral("Favorite Group"), this);
    favoriteGroup->setObjectName(QStringLiteral("idFavoriteGroup"));
    auto* favoriteGrid = new QGridLayout(favoriteGroup);
    for (size_t g = 0; g < kFavoriteGroupCount; ++g) {
        const std::string caption = database().Describe(kFavorite, static_cast<int>(g));
        favorites_[g] = new QCheckBox(QString::fromStdString(caption), favoriteGroup);
        favorites_[g]->setObjectName(QStringLiteral("idFavorite%1").arg(g));
        favoriteGrid->addWidget(favorites_[g], g / 4, g % 4);
    }

    auto* parents = new QFormLayout;
    parents->addRow(satelliteLabel_, satellite_);
    parents->addRow(QStringLiteral("Transponder"), transponder_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scrambled);
    layout->addWidget(favoriteGroup);
    layout->addLayout(parents);
    layout->addWidget(MakeButtons());
}

void ChannelDialog::ShowForm(const ChannelForm& form) {
    name_->setText(QString::fromStdString(form.name));
    videoPid_->setText(QString::fromStdString(form.videoPid));
    pcrPid_->setText(QString::fromStdString(form.pcrPid));
    pmtPid_->setText(QString::fromStdString(form.pmtPid));
    teletextPid_->setText(QString::fromStdString(form.teletextPid));
    serviceId_->setText(QString::fromStdString(form.serviceId));
    locked_->setChecked(form.locked);
    audio_->SetRows(form.audio);
    SelectValue(audioMode_, kAudioModeOptions, form.audioMode);
    for (size_t i = 0; i < kAccessSystemCount; ++i) access_[i]->setChecked(form.accessSystems[i]);
    for (size_t g = 0; g < kFavoriteGroupCount; ++g) favorites_[g]->setChecked(form.favorites[g]);
    PickListCombo transponders(transponder_);
    database().FillPickList(kTransponder, &transponders);
    // Pick-list rows are the transponders' ids; a new channel starts on the
    // transponder the list shows, one whose transponder is missing shows none.
    const int ref = IsNewRecord() ? DefaultParentId(database(), kind()) : form.transponderRef;
    transponder_->setCurrentIndex(ref < transponder_->count() ? ref : -1);
}

ChannelForm ChannelDialog::ReadEntries(ChannelForm form) const {
    form.name = name_->text().toStdString();
    form.videoPid = videoPid_->text().toStdString();
    form.pcrPid = pcrPid_->text().toStdString();
    form.pmtPid = pmtPid_->text().toStdString();
    form.teletextPid = teletextPid_->text().toStdString();
    form.serviceId = serviceId_->text().toStdString();
    form.locked = locked_->isChecked();
    form.audio = audio_->Rows();
    form.audioMode = SelectedValue(audioMode_, kAudioModeOptions, form.audioMode);
    for (size_t i = 0; i < kAccessSystemCount; ++i) form.accessSystems[i] = access_[i]->isChecked();
    for (size_t g = 0; g < kFavoriteGroupCount; ++g) form.favorites[g] = favorites_[g]->isChecked();
    if (transponder_->currentIndex() >= 0) form.transponderRef = transponder_->currentIndex();
    return form;
}

RecordDialog::SaveOutcome ChannelDialog::StoreEntries() {
    return StoreForm(ReadEntries(shown_), shown_, first_, second_);
}

}  // namespace brondavel::app
