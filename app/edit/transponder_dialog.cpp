#include "app/edit/transponder_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "app/edit/option_combo.h"
#include "app/logic/new_record.h"

namespace brondavel::app {

TransponderDialog::TransponderDialog(QWidget* parent, DatabaseEngine& database, int row)
    : RecordDialog(parent, kTransponder, database, row) {
    setWindowTitle(QStringLiteral("Change Transponder Data"));
    BuildControls();
    LoadForm(first_, second_, shown_);
    ShowForm(shown_);
}

void TransponderDialog::BuildControls() {
    name_ = NewNameEdit();
    frequency_ = NewEdit("idFrequency");
    symbolRate_ = NewEdit("idSymbolRate");
    polarization_ = NewOptionCombo(this, "idPolarization", kPolarizationOptions);
    fec_ = NewOptionCombo(this, "idFec", kFecOptions);
    satellite_ = NewOptionCombo(this, "idSatellite");
    satellite_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), name_);
    form->addRow(QStringLiteral("Frequency"), frequency_);
    form->addRow(QStringLiteral("Symbolrate"), symbolRate_);
    form->addRow(QStringLiteral("Polarization"), polarization_);
    form->addRow(QStringLiteral("FEC"), fec_);
    form->addRow(QStringLiteral("Satellite"), satellite_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(MakeButtons());
}

void TransponderDialog::ShowForm(const TransponderForm& form) {
    name_->setText(QString::fromStdString(form.name));
    frequency_->setText(QString::fromStdString(form.frequency));
    symbolRate_->setText(QString::fromStdString(form.symbolRate));
    SelectValue(polarization_, kPolarizationOptions, form.polarisation);
    SelectValue(fec_, kFecOptions, form.fec);
    PickListCombo satellites(satellite_);
    database().FillPickList(kSatellite, &satellites);
    // Pick-list rows are the satellites' ids; a new transponder starts on the
    // satellite the list shows, one whose satellite is missing shows none.
    const int ref = IsNewRecord() ? DefaultParentId(database(), kind()) : form.satelliteRef;
    satellite_->setCurrentIndex(ref < satellite_->count() ? ref : -1);
}

RecordDialog::SaveOutcome TransponderDialog::StoreEntries() {
    TransponderForm form = shown_;
    form.name = name_->text().toStdString();
    form.frequency = frequency_->text().toStdString();
    form.symbolRate = symbolRate_->text().toStdString();
    form.polarisation = SelectedValue(polarization_, kPolarizationOptions, form.polarisation);
    form.fec = SelectedValue(fec_, kFecOptions, form.fec);
    if (satellite_->currentIndex() >= 0) form.satelliteRef = satellite_->currentIndex();
    return StoreForm(form, shown_, first_, second_);
}

}  // namespace brondavel::app
