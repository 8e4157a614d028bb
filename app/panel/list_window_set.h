// The five list windows of the panel: made and destroyed together, given the
// database together, and placed together so that they stay on the screens,
// keep their docks with the panel and never start on top of each other.
#pragma once

#include <QObject>
#include <array>
#include <optional>

#include "app/lists/list_window.h"

namespace brondavel::app {

class ListWindowSet : public QObject {
    Q_OBJECT
  public:
    static constexpr int kCount = kKindCount;

    ListWindowSet() = default;
    ~ListWindowSet() override;
    ListWindowSet(const ListWindowSet&) = delete;
    ListWindowSet& operator=(const ListWindowSet&) = delete;

    // Makes the windows, hidden, as docking partners of each other and of `panel`.
    void Create(MagneticDialog* panel);
    // Deletes the windows; none may outlive the database it points to.
    void Destroy();

    ListWindow* operator[](int kind) const { return windows_[kind]; }
    ListWindowArray::const_iterator begin() const { return windows_.begin(); }
    ListWindowArray::const_iterator end() const { return windows_.end(); }
    // The controls of the four record lists, as the database's calls take them.
    ListControls Lists() const;

    // Every window works on `database` (null: none) and shows its rows.
    void GiveDatabase(DatabaseEngine* database);
    void RefreshAll();
    // Shows what the last database calls filled, in every window.
    void CommitLists();
    // Undo (back) or redo in `database`; false when there was nothing to do.
    bool StepHistory(ChannelDatabase& database, bool back);

    // The panel at `storedPanel` (or its default place) and every window at
    // its stored place (or its default place beside the panel), each brought
    // onto the screens.
    void PlaceAtStart(std::optional<QPoint> storedPanel);
    // Every window at its default place.
    void ResetLayout();
    // Brings every window wholly onto the screens, as when they change.
    void KeepOnScreen();
    // Sets the docks of every shown window from where it stands.
    void RecomputeDocking();

  private:
    void PlaceWindow(MagneticDialog* window, const QRect& place);
    void WatchScreens();

    MagneticDialog* panel_ = nullptr;
    ListControlArray controls_{};
    ListWindowArray windows_{};
    bool watching_ = false;
};

}  // namespace brondavel::app
