#include "app/data/merge_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace brondavel {

MergeDialog::MergeDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Merge from file");
    setObjectName("mergeDialog");
    auto* layout = new QVBoxLayout(this);
    auto* from = new QLabel(QString("Copy from \"%1\":").arg(path), this);
    from->setWordWrap(true);
    layout->addWidget(from);
    static const char* labels[] = {"Satellites", "Transponders", "TV channels", "Radio channels"};
    static const char* names[] = {"mergeSatellites", "mergeTransponders", "mergeTv", "mergeRadio"};
    for (int kind = 0; kind < 4; ++kind) {
        kinds_[kind] = new QCheckBox(labels[kind], this);
        kinds_[kind]->setObjectName(names[kind]);
        kinds_[kind]->setChecked(true);
        layout->addWidget(kinds_[kind]);
    }
    favorites_ = new QCheckBox("New channels keep their favourite groups", this);
    favorites_->setObjectName("mergeFavorites");
    layout->addWidget(favorites_);
    auto* note = new QLabel(
        "Records already in the open database are kept as they are; the satellites and "
        "transponders of copied channels come along.",
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

MergeOptions MergeDialog::options() const {
    MergeOptions o;
    for (int kind = 0; kind < 4; ++kind) o.kinds[kind] = kinds_[kind]->isChecked();
    o.favorites = favorites_->isChecked();
    return o;
}

}  // namespace brondavel
