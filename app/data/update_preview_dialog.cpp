#include "app/data/update_preview_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brondavel {

namespace {

QString Transponder(uint32_t frequency, char polarisation, uint32_t symbolRate) {
    return QString("%1 %2 %3").arg(frequency).arg(QChar(polarisation)).arg(symbolRate);
}

QTreeWidgetItem* Group(QTreeWidget* tree, const QString& title) {
    auto* item = new QTreeWidgetItem(tree, {title});
    item->setFlags(Qt::ItemIsEnabled);
    item->setExpanded(true);
    return item;
}

QTreeWidgetItem* Choice(QTreeWidgetItem* group, const QString& what, const QString& detail,
                        bool checked) {
    auto* item = new QTreeWidgetItem(group, {what, detail});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

}  // namespace

UpdatePreviewDialog::UpdatePreviewDialog(DatabaseEngine& db, uint16_t satelliteId,
                                         std::vector<TransponderTable> tables, QWidget* parent)
    : QDialog(parent), db_(db), satelliteId_(satelliteId), tables_(std::move(tables)) {
    setWindowTitle("Update Transponders");
    setObjectName("updatePreview");
    auto* layout = new QVBoxLayout(this);
    auto* sources = new QLabel(this);
    sources->setObjectName("updateSources");
    sources->setWordWrap(true);
    layout->addWidget(sources);
    includeS2_ = new QCheckBox("Include DVB-S2 transponders (the receiver cannot mark them)", this);
    includeS2_->setObjectName("updateIncludeS2");
    layout->addWidget(includeS2_);
    changes_ = new QTreeWidget(this);
    changes_->setObjectName("updateChanges");
    changes_->setColumnCount(2);
    changes_->setHeaderLabels({"Transponder", "Change"});
    changes_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    changes_->setMinimumSize(520, 320);
    layout->addWidget(changes_);
    summary_ = new QLabel(this);
    summary_->setObjectName("updateSummary");
    layout->addWidget(summary_);
    note_ = new QLabel(this);
    note_->setObjectName("updateNote");
    note_->setWordWrap(true);
    layout->addWidget(note_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Apply()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(includeS2_, &QCheckBox::toggled, this, [this] { Replan(); });
    connect(changes_, &QTreeWidget::itemChanged, this, [this] {
        TakeChecks();
        ShowSummary();
    });

    QStringList names;
    for (const TransponderTable& t : tables_)
        names << QString::fromStdString(t.source.empty() ? t.name : t.source);
    sources->setText("Tables: " + names.join(", "));
    Replan();
}

void UpdatePreviewDialog::Replan() {
    plan_ = PlanTransponderUpdate(db_, satelliteId_, tables_, {includeS2_->isChecked(), false});
    const QSignalBlocker block(changes_);
    changes_->clear();
    additionItems_.clear();
    correctionItems_.clear();
    removalItems_.clear();
    QTreeWidgetItem* add = Group(changes_, QString("Add (%1)").arg(plan_.additions.size()));
    for (const PlannedAddition& a : plan_.additions)
        additionItems_.push_back(
            Choice(add, Transponder(a.entry.frequency, a.entry.polarisation, a.entry.symbolRate),
                   QString("new, named \"%1\"").arg(QString::fromStdString(a.name)), a.chosen));
    QTreeWidgetItem* fix = Group(changes_, QString("Correct (%1)").arg(plan_.corrections.size()));
    for (const PlannedCorrection& c : plan_.corrections)
        correctionItems_.push_back(Choice(fix,
                                          Transponder(c.frequency, c.polarisation, c.oldSymbolRate),
                                          QString("symbol rate %1 -> %2, FEC %3 -> %4")
                                              .arg(c.oldSymbolRate)
                                              .arg(c.newSymbolRate)
                                              .arg(c.oldFec)
                                              .arg(c.newFec),
                                          c.chosen));
    QTreeWidgetItem* missing =
        Group(changes_, QString("Not in the table: delete? (%1)").arg(plan_.missing.size()));
    for (const PlannedRemoval& m : plan_.missing)
        removalItems_.push_back(
            Choice(missing, Transponder(m.frequency, m.polarisation, m.symbolRate),
                   QString("delete with its %1 channels").arg(m.channels), m.chosen));
    changes_->expandAll();
    ShowSummary();
}

void UpdatePreviewDialog::TakeChecks() {
    for (size_t i = 0; i < additionItems_.size(); ++i)
        plan_.additions[i].chosen = additionItems_[i]->checkState(0) == Qt::Checked;
    for (size_t i = 0; i < correctionItems_.size(); ++i)
        plan_.corrections[i].chosen = correctionItems_[i]->checkState(0) == Qt::Checked;
    for (size_t i = 0; i < removalItems_.size(); ++i)
        plan_.missing[i].chosen = removalItems_[i]->checkState(0) == Qt::Checked;
}

void UpdatePreviewDialog::ShowSummary() {
    summary_->setText(QString::fromStdString(SummaryText(plan_)));
    QStringList notes;
    if (plan_.circular)
        notes << QString("%1 circular transponders are taken as V (right) and H (left).")
                     .arg(plan_.circular);
    if (plan_.rejected)
        notes
            << QString("%1 table entries with impossible values were ignored.").arg(plan_.rejected);
    note_->setText(notes.join(' '));
}

bool UpdatePreviewDialog::Apply() {
    TakeChecks();
    const TransponderUpdateResult r = ApplyTransponderUpdate(db_, plan_);
    if (r.error.empty()) return true;
    QMessageBox box(QMessageBox::Critical, "Error", QString::fromStdString(r.error),
                    QMessageBox::Ok, this);
    box.exec();
    return false;
}

}  // namespace brondavel
