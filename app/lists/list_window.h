// One floating list window per record kind (0 satellites, 1 transponders,
// 2 TV, 3 radio, 4 favourites). It owns no data: it asks the database to
// fill, filter, sort, move, delete and describe, and refreshes any of the five
// lists through the panel's shared arrays.
#pragma once

#include <array>

#include "app/layout/magnetic_dialog.h"
#include "model/channel_database.h"

namespace brondavel::app {

class ListWindow;
using ListControlArray = std::array<ListControl*, 5>;
using ListWindowArray = std::array<ListWindow*, 5>;

class ListWindow : public MagneticDialog {
    Q_OBJECT
  public:
    // `controls` and `windows` are the panel's arrays, indexed by kind; this
    // window puts its own control into `controls` at construction.
    ListWindow(QWidget* owner, int model, int kind, ListControlArray* controls,
               ListWindowArray* windows);
    ~ListWindow() override;

    int Kind() const { return kind_; }
    ListControl* Control() const { return control_; }
    // The database the window works on (null: every action is ignored), and
    // the receiver model whose record layout it has.
    void SetDatabase(ChannelDatabase* database, int model);
    ChannelDatabase* Database() const { return database_; }
    // Refills the window's list from the database.
    void RefreshList();
    // Re-reads sort state, active-only and key filters of `kind` into the
    // letter buttons' fonts.
    void UpdateLetterButtons(int kind);

  signals:
    // The close button hid the window; the panel updates its toggle.
    void closedByUser(int kind);

  private:
    int model_;
    const int kind_;
    ListControlArray* controls_;
    ListWindowArray* windows_;
    ChannelDatabase* database_ = nullptr;
    ListControl* control_ = nullptr;
};

}  // namespace brondavel::app
