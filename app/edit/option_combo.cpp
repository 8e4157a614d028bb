#include "app/edit/option_combo.h"

#include "app/logic/record_options.h"

namespace brondavel::app {

void FillOptions(QComboBox* combo, OptionTable table) {
    combo->clear();
    for (const OptionRow& row : table) combo->addItem(QString::fromUtf8(row.label));
    combo->setCurrentIndex(-1);
}

QComboBox* NewOptionCombo(QWidget* parent, const char* id, OptionTable table) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    FillOptions(combo, table);
    return combo;
}

void SelectValue(QComboBox* combo, OptionTable table, int value) {
    combo->setCurrentIndex(FirstRowWithValue(table, value));
}

int SelectedValue(const QComboBox* combo, OptionTable table, int fallback) {
    return ValueAtRow(table, combo->currentIndex(), fallback);
}

}  // namespace brondavel::app
