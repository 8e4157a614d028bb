#include "app/edit/satellite_dialog.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "app/edit/option_combo.h"

namespace brondavel::app {

namespace {

QLabel* NewLabel(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

SatelliteDialog::SatelliteDialog(QWidget* parent, DatabaseEngine& database, int row)
    : RecordDialog(parent, kSatellite, database, row) {
    setWindowTitle(QStringLiteral("Change Satellite Data"));
    BuildControls();
    LoadForm(first_, second_, shown_);
    ShowForm(shown_);
    // The first generation has no 12 V switch.
    const bool hasSwitch = generation() == Generation::kSecond;
    switch12VLabel_->setVisible(hasSwitch);
    switch12V_->setVisible(hasSwitch);
}

void SatelliteDialog::BuildControls() {
    name_ = NewNameEdit();
    degree_ = NewEdit("idDegree");
    side_ = NewOptionCombo(this, "idEastWest", kEastWestOptions);
    lnbType_ = NewOptionCombo(this, "idLnbType", kLnbTypeOptions);
    highFreq_ = NewOptionCombo(this, "idLocalFreqHigh", kLocalFreqOptions);
    lowFreq_ = NewOptionCombo(this, "idLocalFreqLow", kLocalFreqOptions);
    lnbPower_ = NewOptionCombo(this, "idLnbPower", kLnbPowerOptions);
    diseqcVersion_ = NewOptionCombo(this, "idDiseqcVersion", kDiseqcVersionOptions);
    diseqcPort_ = NewOptionCombo(this, "idDiseqcPort", kDiseqcPortV10Options);
    tone_ = NewOptionCombo(this, "idTone22k", kToneOptions);
    switch12V_ = NewOptionCombo(this, "idSwitch12V", kSwitch12VOptions);
    switch12VLabel_ = NewLabel(this, "0/12 V", switch12V_);
    switch12VLabel_->setObjectName(QStringLiteral("idSwitch12VLabel"));

    auto* grid = new QGridLayout;
    int line = 0;
    auto addRow = [&](const char* caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(NewLabel(this, caption, field), line, 0);
        if (extra) {
            grid->addWidget(field, line, 1);
            grid->addWidget(extra, line, 2);
        } else {
            grid->addWidget(field, line, 1, 1, 2);
        }
        ++line;
    };
    addRow("Name", name_);
    addRow("Degree", degree_, side_);
    addRow("LNB Type", lnbType_);
    addRow("Local Freq. (High)", highFreq_);
    addRow("Local Freq. (Low)", lowFreq_);
    addRow("LNB Power", lnbPower_);
    addRow("DiSEqC Ver.", diseqcVersion_);
    addRow("DiSEqC", diseqcPort_);
    addRow("22KHz Tone", tone_);
    grid->addWidget(switch12VLabel_, line, 0);
    grid->addWidget(switch12V_, line, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(MakeButtons());

    connect(lnbType_, &QComboBox::activated, this, &SatelliteDialog::LnbTypePicked);
    connect(diseqcVersion_, &QComboBox::activated, this, &SatelliteDialog::DiseqcVersionPicked);
}

void SatelliteDialog::ShowForm(const SatelliteForm& form) {
    name_->setText(QString::fromStdString(form.name));
    degree_->setText(QString::fromStdString(form.degree));
    SelectValue(side_, kEastWestOptions, form.side);
    SelectValue(lnbType_, kLnbTypeOptions, form.lnbType);
    SelectValue(highFreq_, kLocalFreqOptions, form.lnbHighFreq);
    SelectValue(lowFreq_, kLocalFreqOptions, form.lnbLowFreq);
    SelectValue(lnbPower_, kLnbPowerOptions, form.lnbPower);
    SelectValue(diseqcVersion_, kDiseqcVersionOptions, form.diseqcVersion);
    FillOptions(diseqcPort_, DiseqcPortOptions(form.diseqcVersion));
    SelectValue(diseqcPort_, DiseqcPortOptions(form.diseqcVersion), form.diseqcPort);
    SelectValue(tone_, kToneOptions, form.tone22k);
    SelectValue(switch12V_, kSwitch12VOptions, form.switch12V);
    ApplyLnbEnabling();
}

SatelliteForm SatelliteDialog::ReadEntries(SatelliteForm form) const {
    // A choice left without a selection keeps what the record holds.
    form.name = name_->text().toStdString();
    form.degree = degree_->text().toStdString();
    form.side = SelectedValue(side_, kEastWestOptions, kEast);
    form.lnbType = SelectedValue(lnbType_, kLnbTypeOptions, form.lnbType);
    form.lnbHighFreq = SelectedValue(highFreq_, kLocalFreqOptions, form.lnbHighFreq);
    form.lnbLowFreq = SelectedValue(lowFreq_, kLocalFreqOptions, form.lnbLowFreq);
    form.lnbPower = SelectedValue(lnbPower_, kLnbPowerOptions, form.lnbPower);
    const int version = SelectedValue(diseqcVersion_, kDiseqcVersionOptions, form.diseqcVersion);
    form.diseqcPort = SelectedValue(diseqcPort_, DiseqcPortOptions(version), form.diseqcPort);
    form.diseqcVersion = version;
    form.tone22k = SelectedValue(tone_, kToneOptions, form.tone22k);
    form.switch12V = SelectedValue(switch12V_, kSwitch12VOptions, form.switch12V);
    return form;
}

RecordDialog::SaveOutcome SatelliteDialog::StoreEntries() {
    return StoreForm(ReadEntries(shown_), shown_, first_, second_);
}

void SatelliteDialog::LnbTypePicked() {
    const int type = SelectedValue(lnbType_, kLnbTypeOptions, -1);
    if (const auto preset = PresetForLnbType(type)) {
        SelectValue(highFreq_, kLocalFreqOptions, preset->highFreq);
        SelectValue(lowFreq_, kLocalFreqOptions, preset->lowFreq);
        SelectValue(tone_, kToneOptions, preset->tone);
    }
    ApplyLnbEnabling();
}

void SatelliteDialog::ApplyLnbEnabling() {
    const LnbEnabling enabling = EnablingForLnbType(SelectedValue(lnbType_, kLnbTypeOptions, -1));
    tone_->setEnabled(enabling.tone);
    lowFreq_->setEnabled(enabling.lowFreq);
}

void SatelliteDialog::DiseqcVersionPicked() {
    const OptionTable ports =
        DiseqcPortOptions(SelectedValue(diseqcVersion_, kDiseqcVersionOptions, 0));
    FillOptions(diseqcPort_, ports);
    SelectValue(diseqcPort_, ports, 0);
}

}  // namespace brondavel::app
