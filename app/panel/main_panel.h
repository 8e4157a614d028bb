// The application's one top-level window: its controls, the File menu over
// the File commands, the five list windows (a ListWindowSet) and the
// transfers (a TransferController); it shows the path and the status line
// and hosts the configuration, password and about dialogs.
#pragma once

#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "app/layout/magnetic_dialog.h"
#include "app/lists/list_window.h"
#include "app/logic/transfer_outcome.h"
#include "app/panel/file_commands.h"
#include "app/panel/list_window_set.h"
#include "app/panel/transfer_controller.h"
#include "app/settings/registry_value.h"
#include "files/database_file.h"
#include "link/receiver_link.h"

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace brondavel::app {

class RotatedCaption;

// What the command line sets for this run.
struct PanelOptions {
    QString filePath;    // opened at start as with "Open"
    int modelType = -1;  // 0, 1 or 2; -1 keeps the default (2)
    QString portDevice;  // the device of port 1, which this run uses
};

class MainPanel : public MagneticDialog {
    Q_OBJECT
  public:
    static constexpr int kStatusInterval = TransferController::kStatusInterval;
    static constexpr int kPasswordDelay = 100;

    explicit MainPanel(const PanelOptions& options = {});
    ~MainPanel() override;

    link::ReceiverLink& Link() { return transfer_->Link(); }
    DatabaseFile* File() { return files_.File(); }
    FileCommands& Files() { return files_; }
    ListWindow* Window(int kind) { return windows_[kind]; }
    bool WindowShown(int kind) const { return shown_[kind]; }
    int ModelType() const { return model_; }
    int FlashType() const { return flashType_; }
    int CompressMode() const { return compressMode_; }
    int Account() const { return account_; }
    int ModelSetting() const { return modelSetting_; }
    TransferPhase TransferState() const { return transfer_->Session().Phase(); }
    // The path held (the line shows it shortened in the middle).
    QString PathText() const { return files_.Path(); }
    QString StatusText() const;
    void SetPathChoosers(PathChoosers choosers) { files_.Choosers() = std::move(choosers); }
    // The recent files, newest first, as the File menu lists them.
    const std::vector<std::string>& RecentPaths() const { return files_.RecentPaths(); }

    // The File menu as the File button pops it up, greyed as the state says.
    std::unique_ptr<QMenu> BuildFileMenu();
    // Loads `path` as the current database; false (with a message) when it
    // cannot be read, leaving the current database as it was.
    bool OpenFile(const QString& path);

  public slots:
    void OnOpen();
    void OnReadFromReceiver();
    void OnSave();
    void OnSaveAs();
    void OnWriteIntoReceiver();
    void OnConfig();
    void OnStop();
    void OnAbout();
    void OnHelp();
    void OnUndo();
    void OnRedo();
    void OnApplyOrder();
    void OnRestoreOriginal();
    // Every window at its default place.
    void OnResetLayout();
    void OnPrint();
    void OnExportPdf();
    // A file that a second copy of the program hands over: opened as with
    // "Open", unsaved changes offered first. False while the panel is busy.
    bool OpenHandedFile(const QString& path);
    // "" shows the idle text; the port state and a transfer come first.
    void RefreshStatus(const QString& text = QString());

  signals:
    // The panel closed; the application ends.
    void finished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void CreateListWindows();
    void ReadModelSetting();
    void ApplyModelCaption();
    void ShowFileMenu();
    void AddShortcuts();
    // Whether a File command may run now: no transfer, no dialog open.
    bool CommandsFree() const;
    void ShowPath();
    void OnToggle(int kind, bool checked);
    void OnWindowClosed(int kind);
    void OnPasswordTimer();

    // Yes saves (and continues only when that worked); No continues when
    // `noContinues`; Cancel never does.
    bool OfferSave(bool noContinues);
    void GiveDatabaseToWindows();

    void CreateTransferController(const QString& runPort);
    // The windows and the File controls make way for a transfer, and come back.
    void ShowTransferring(bool transferring);
    void WriteBackSettings();

    int Ask(const QString& text, int buttons, int defaultButton = 0);
    void Tell(MessageLevel level, const QString& text);

    std::unique_ptr<TransferController> transfer_;
    ListWindowSet windows_;
    FileCommands files_;
    std::array<bool, kKindCount> shown_{true, true, true, true, true};
    std::array<bool, kKindCount> shownBeforeTransfer_{};

    int model_ = 2;
    int flashType_ = 3;
    int compressMode_ = 2;
    int account_ = 0;
    int modelSetting_ = 0;
    bool passwordPending_ = false;
    bool closed_ = false;
    bool placed_ = false;  // the windows took their start-up places

    RegistryValue mainPos_;
    std::array<RegistryValue, kKindCount> viewFlags_;
    RegistryValue modelType_;

    QTimer passwordTimer_;

    QPushButton* fileButton_;
    QPushButton* configButton_;
    std::array<QToolButton*, kKindCount> toggles_{};
    QLabel* path_;
    QLabel* status_;
    QLabel* wait_;
    RotatedCaption* modelCaption_;
    QProgressBar* progress_;
    QPushButton* stopButton_;
};

}  // namespace brondavel::app
