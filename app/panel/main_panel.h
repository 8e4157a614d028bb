// The application's one top-level window: it owns the current database file,
// the five list windows and the receiver link, runs the File commands and the
// transfers, shows the path and the status line, and hosts the configuration,
// password and about dialogs.
#pragma once

#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "app/layout/magnetic_dialog.h"
#include "app/lists/list_window.h"
#include "app/logic/recent_files.h"
#include "app/logic/session_backups.h"
#include "app/logic/transfer_outcome.h"
#include "app/panel/link_bridge.h"
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

// The dialogs that ask for paths; tests replace them.
struct PathChoosers {
    std::function<QString(const QString& filter)> openFile;
    std::function<QString(const QString& filter)> saveFile;
    std::function<QString()> folder;
};

class MainPanel : public MagneticDialog {
    Q_OBJECT
  public:
    static constexpr int kStatusInterval = 5000;
    static constexpr int kPasswordDelay = 100;

    explicit MainPanel(const PanelOptions& options = {});
    ~MainPanel() override;

    link::ReceiverLink& Link() { return *link_; }
    DatabaseFile* File() { return file_.get(); }
    ListWindow* Window(int kind) { return windows_[kind]; }
    bool WindowShown(int kind) const { return shown_[kind]; }
    int ModelType() const { return model_; }
    int FlashType() const { return flashType_; }
    int CompressMode() const { return compressMode_; }
    int Account() const { return account_; }
    int ModelSetting() const { return modelSetting_; }
    int TransferState() const { return state_; }
    QString PathText() const;
    QString StatusText() const;
    void SetPathChoosers(PathChoosers choosers) { choosers_ = std::move(choosers); }
    // The recent files, newest first, as the File menu lists them.
    const std::vector<std::string>& RecentPaths() const { return recent_.Paths(); }

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

  private:
    void BuildControls();
    void CreateListWindows();
    void ReadModelSetting();
    void ApplyModelCaption();
    void ShowFileMenu();
    void AddShortcuts();
    // Whether a File command may run now: no transfer, no dialog open.
    bool CommandsFree() const;
    void StepHistory(bool back);
    // Shows what the last database calls filled, in every list window.
    void CommitLists();
    void ReadRecentFiles();
    void RememberFile(const QString& path);
    void StoreRecentFiles();
    void ForgetFile(const QString& path);
    void OpenRecent(const QString& path);
    void OnToggle(int kind, bool checked);
    void OnWindowClosed(int kind);
    void OnPasswordTimer();

    // Yes saves (and continues only when that worked); No continues when
    // `noContinues`; Cancel never does.
    bool OfferSave(bool noContinues);
    bool SaveTo(const QString& path);
    void SetPath(const QString& path);
    void GiveDatabaseToWindows();

    void StartTransfer(int kind);
    void ShowTransferControls(bool transferring);
    void RestoreAfterTransfer();
    void OnLinkMessage(uint32_t message, quintptr wparam, quintptr lparam);
    void OnTransferResult(uint16_t code);
    void OnProgress(uint64_t done, int64_t total);
    void OnNameReceived();
    void OnReceiveFinished(uintptr_t failed);
    void WriteBackSettings();

    int Ask(const QString& text, int buttons);
    void Tell(MessageLevel level, const QString& text);

    // Declared before the link: the link's last messages still reach it.
    LinkBridge bridge_;
    std::unique_ptr<link::ReceiverLink> link_;
    std::unique_ptr<DatabaseFile> file_;
    ListControlArray controls_{};
    ListWindowArray windows_{};
    std::array<bool, 5> shown_{true, true, true, true, true};
    std::array<bool, 5> shownBeforeTransfer_{};

    int model_ = 2;
    int flashType_ = 3;
    int compressMode_ = 2;
    int account_ = 0;
    int modelSetting_ = 0;
    int state_ = 0;  // 0 idle, 1 sending, 2 receiving
    int kind_ = 0;   // 0 write into the receiver, 1 read from it
    bool passwordPending_ = false;
    bool closed_ = false;
    int handlingLink_ = 0;  // depth of link handlers on the stack
    QString receivedFolder_;
    QString receivedName_;
    QString pathBeforeRead_;
    // A file whose header did not match: saving over it asks first.
    QString foreignPath_;
    SessionBackups backups_;
    RecentFiles recent_;

    RegistryValue mainPos_;
    std::array<RegistryValue, 5> viewFlags_;
    RegistryValue modelType_;

    QTimer statusTimer_;    // timer 1
    QTimer passwordTimer_;  // timer 2
    PathChoosers choosers_;

    QPushButton* fileButton_;
    QPushButton* configButton_;
    std::array<QToolButton*, 5> toggles_{};
    QLabel* path_;
    QLabel* status_;
    QLabel* wait_;
    RotatedCaption* modelCaption_;
    QProgressBar* progress_;
    QPushButton* stopButton_;
};

}  // namespace brondavel::app
