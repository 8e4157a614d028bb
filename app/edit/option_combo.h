// Combo boxes filled from the fixed option tables, and the core's pick lists
// shown in a combo box.
#pragma once

#include <QComboBox>

#include "app/logic/option_table.h"
#include "model/list_control.h"

namespace brondavel::app {

// Replaces the items with the table's labels, in table order, nothing selected.
void FillOptions(QComboBox* combo, OptionTable table);
// A combo box named `id` (as the tests find it), filled from `table`.
QComboBox* NewOptionCombo(QWidget* parent, const char* id, OptionTable table = {});
// Selects the first row carrying `value`; nothing when no row does.
void SelectValue(QComboBox* combo, OptionTable table, int value);
// The value of the selected row, or `fallback` with nothing selected.
int SelectedValue(const QComboBox* combo, OptionTable table, int fallback);

// The core fills a satellite or transponder choice through this.
class PickListCombo : public ComboBox {
  public:
    explicit PickListCombo(QComboBox* combo) : combo_(combo) {}
    void ResetContent() override { combo_->clear(); }
    void InsertItem(int index, const std::string& text) override {
        combo_->insertItem(index, QString::fromStdString(text));
    }

  private:
    QComboBox* combo_;
};

}  // namespace brondavel::app
