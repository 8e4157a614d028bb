#include "app/panel/list_window_set.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/layout/layout_rects.h"
#include "app/lists/list_rect_store.h"
#include "app/lists/list_view_control.h"
#include "app/logic/window_layout.h"

namespace brondavel::app {

namespace {

std::vector<Rect> AvailableScreens() {
    std::vector<Rect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToRect(screen->availableGeometry()));
    return screens;
}

Size MinimumOf(const MagneticDialog* window, const MagneticDialog* panel) {
    if (window == panel) return {panel->width(), panel->height()};
    return kListWindowSize;
}

}  // namespace

ListWindowSet::~ListWindowSet() {
    Destroy();
}

void ListWindowSet::Create(MagneticDialog* panel) {
    panel_ = panel;
    for (int kind = 0; kind < kCount; ++kind) {
        // The window puts itself into both arrays.
        auto* window = new ListWindow(panel, kind, &controls_, &windows_);
        window->hide();
    }
    for (ListWindow* window : windows_) {
        window->AddPartner(panel);
        for (ListWindow* other : windows_)
            if (other != window) window->AddPartner(other);
        panel->AddPartner(window);
    }
    WatchScreens();
}

void ListWindowSet::Destroy() {
    for (ListWindow*& window : windows_) {
        delete window;
        window = nullptr;
    }
}

ListControls ListWindowSet::Lists() const {
    return {controls_[0], controls_[1], controls_[2], controls_[3]};
}

void ListWindowSet::GiveDatabase(DatabaseEngine* database) {
    for (ListWindow* window : windows_) window->SetDatabase(database);
    RefreshAll();
}

void ListWindowSet::RefreshAll() {
    for (ListWindow* window : windows_) window->RefreshList();
}

void ListWindowSet::CommitLists() {
    for (ListWindow* window : windows_) {
        window->CommitList();
        window->UpdateLetterButtons();
    }
}

bool ListWindowSet::StepHistory(ChannelDatabase& database, bool back) {
    if ((back ? database.Undo(Lists()) : database.Redo(Lists())) == 0) return false;
    windows_[kFavorite]->AfterHistoryStep();
    return true;
}

void ListWindowSet::PlaceWindow(MagneticDialog* window, const QRect& place) {
    const Rect onScreen =
        BringOntoScreens(ToRect(place), AvailableScreens(), MinimumOf(window, panel_));
    if (ToQRect(onScreen) != window->frameGeometry()) window->MoveTo(ToQRect(onScreen));
}

void ListWindowSet::PlaceAtStart(std::optional<QPoint> storedPanel) {
    const Rect byDefault = DefaultPanelPlace();
    const QPoint panelAt = storedPanel.value_or(QPoint(byDefault.left, byDefault.top));
    PlaceWindow(panel_, QRect(panelAt, panel_->size()));
    const Rect panel = ToRect(panel_->frameGeometry());
    for (int kind = 0; kind < kCount; ++kind) {
        const std::optional<QRect> stored = ReadListRect(static_cast<RecordKind>(kind));
        PlaceWindow(windows_[kind], stored.value_or(ToQRect(DefaultListPlace(kind, panel))));
    }
    RecomputeDocking();
}

void ListWindowSet::ResetLayout() {
    const Rect byDefault = DefaultPanelPlace();
    PlaceWindow(panel_, QRect(QPoint(byDefault.left, byDefault.top), panel_->size()));
    const Rect panel = ToRect(panel_->frameGeometry());
    for (int kind = 0; kind < kCount; ++kind)
        PlaceWindow(windows_[kind], ToQRect(DefaultListPlace(kind, panel)));
    RecomputeDocking();
}

void ListWindowSet::KeepOnScreen() {
    if (!panel_ || panel_->IsMoving()) return;
    PlaceWindow(panel_, panel_->frameGeometry());
    for (ListWindow* window : windows_)
        if (window && !window->IsMoving() && !window->IsResizing())
            PlaceWindow(window, window->frameGeometry());
    RecomputeDocking();
}

void ListWindowSet::RecomputeDocking() {
    if (panel_ && panel_->isVisible()) panel_->RecomputeDocking();
    for (ListWindow* window : windows_)
        if (window && window->isVisible()) window->RecomputeDocking();
}

void ListWindowSet::WatchScreens() {
    if (watching_) return;
    watching_ = true;
    auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, &ListWindowSet::KeepOnScreen);
    };
    for (QScreen* screen : QGuiApplication::screens()) watch(screen);
    auto* app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        KeepOnScreen();
    });
    // A removed screen is still listed while the signal runs: wait a turn.
    connect(app, &QGuiApplication::screenRemoved, this, &ListWindowSet::KeepOnScreen,
            Qt::QueuedConnection);
}

}  // namespace brondavel::app
