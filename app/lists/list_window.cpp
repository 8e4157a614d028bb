#include "app/lists/list_window.h"

#include "model/memory_controls.h"

namespace brondavel::app {

ListWindow::ListWindow(QWidget* owner, int model, int kind, ListControlArray* controls,
                       ListWindowArray* windows)
    : MagneticDialog(owner), model_(model), kind_(kind), controls_(controls), windows_(windows) {
    control_ = new MemoryListControl();
    (*controls_)[kind_] = control_;
    (*windows_)[kind_] = this;
    resize(312, 150);
}

ListWindow::~ListWindow() {
    delete control_;
}

void ListWindow::SetDatabase(ChannelDatabase* database, int model) {
    database_ = database;
    model_ = model;
}

void ListWindow::RefreshList() {
    if (database_) database_->Refresh(kind_, control_);
}

void ListWindow::UpdateLetterButtons(int) {}

}  // namespace brondavel::app
