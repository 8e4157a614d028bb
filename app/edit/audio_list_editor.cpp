#include "app/edit/audio_list_editor.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <set>

#include "app/logic/number_entry.h"
#include "app/logic/record_options.h"

namespace brondavel::app {

namespace {

// Digits only; a finished cell that does not start with a digit is emptied
// and the user told so.
class PidDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0123456789]*")), edit));
        return edit;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        if (IsValidPidText(text.toStdString())) {
            model->setData(index, text);
            return;
        }
        model->setData(index, QString());
        // Told after the editor has closed, so the box does not steal focus
        // from an editor that is still committing; one box at a time.
        if (telling_) return;
        telling_ = true;
        QPointer<QWidget> view = qobject_cast<QWidget*>(parent());
        QTimer::singleShot(0, view, [this, view] {
            QMessageBox::warning(view, QStringLiteral("Error"),
                                 QStringLiteral("Invalid text entered. The text will be reset"));
            telling_ = false;
        });
    }

  private:
    mutable bool telling_ = false;
};

// A fixed choice of texts; the cell keeps the chosen text.
class ChoiceDelegate : public QStyledItemDelegate {
  public:
    ChoiceDelegate(QStringList choices, QObject* parent)
        : QStyledItemDelegate(parent), choices_(std::move(choices)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        combo->addItems(choices_);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setCurrentIndex(combo->findText(index.data().toString()));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const auto* combo = static_cast<QComboBox*>(editor);
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentText());
    }

  private:
    QStringList choices_;
};

QStringList LanguageNames() {
    QStringList names;
    for (const OptionRow& row : kAudioLanguageOptions) names << QString::fromLatin1(row.label);
    return names;
}

}  // namespace

AudioListEditor::AudioListEditor(QWidget* parent) : QTableWidget(0, kColumnCount, parent) {
    setHorizontalHeaderLabels({QString(), QStringLiteral("Audio PID"),
                               QStringLiteral("Audio Language"), QStringLiteral("AC3")});
    setColumnHidden(kHiddenColumn, true);
    setColumnWidth(kPidColumn, 100);
    setColumnWidth(kLanguageColumn, 130);
    setColumnWidth(kAc3Column, 70);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);
    setItemDelegateForColumn(kPidColumn, new PidDelegate(this));
    setItemDelegateForColumn(kLanguageColumn, new ChoiceDelegate(LanguageNames(), this));
    setItemDelegateForColumn(
        kAc3Column,
        new ChoiceDelegate({QString::fromLatin1(kAc3Off), QString::fromLatin1(kAc3On)}, this));
}

QSize AudioListEditor::sizeHint() const {
    const int width = 100 + 130 + 70 + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    const int height = horizontalHeader()->sizeHint().height() +
                       (kAudioSlots + 1) * verticalHeader()->defaultSectionSize() +
                       2 * frameWidth();
    return {width, height};
}

void AudioListEditor::AppendRow(const AudioRow& row) {
    const int r = rowCount();
    insertRow(r);
    auto* hidden = new QTableWidgetItem;
    hidden->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setItem(r, kHiddenColumn, hidden);
    setItem(r, kPidColumn, new QTableWidgetItem(QString::fromStdString(row.pid)));
    setItem(r, kLanguageColumn, new QTableWidgetItem(QString::fromStdString(row.language)));
    setItem(r, kAc3Column, new QTableWidgetItem(QString::fromLatin1(row.ac3 ? kAc3On : kAc3Off)));
}

void AudioListEditor::SetRows(const std::vector<AudioRow>& rows) {
    setRowCount(0);
    for (const AudioRow& row : rows) AppendRow(row);
}

std::vector<AudioRow> AudioListEditor::Rows() const {
    std::vector<AudioRow> rows;
    auto cell = [this](int r, int c) {
        const QTableWidgetItem* it = item(r, c);
        return it ? it->text().toStdString() : std::string();
    };
    for (int r = 0; r < rowCount(); ++r)
        rows.push_back(
            {cell(r, kPidColumn), cell(r, kLanguageColumn), cell(r, kAc3Column) == kAc3On});
    return rows;
}

bool AudioListEditor::InsertAudioRow() {
    if (rowCount() >= kAudioSlots) return false;
    clearSelection();
    AppendRow({"0", kUnknownLanguageName, false});
    const int r = rowCount() - 1;
    selectRow(r);
    setCurrentCell(r, kPidColumn, QItemSelectionModel::NoUpdate);
    scrollToItem(item(r, kPidColumn));
    return true;
}

void AudioListEditor::DeleteSelectedRows() {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) removeRow(*r);
}

QMenu* AudioListEditor::CreateContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->addAction(QStringLiteral("Insert"), this, [this] { InsertAudioRow(); });
    QAction* remove =
        menu->addAction(QStringLiteral("Delete"), this, [this] { DeleteSelectedRows(); });
    remove->setEnabled(selectionModel()->hasSelection());
    return menu;
}

void AudioListEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace brondavel::app
