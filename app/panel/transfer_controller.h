// The panel's side of the receiver link: Write Into Receiver, Read From
// Receiver and Stop over one TransferSession, the progress bar, the status
// line and its 5-second port check, which closes a line that hung up and
// reopens the port when its device is back.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/logic/configuration_values.h"
#include "app/logic/transfer_session.h"
#include "app/panel/link_bridge.h"
#include "link/receiver_link.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace brondavel {
class DatabaseFile;
}

namespace brondavel::app {

// What a transfer needs of the panel.
struct TransferHooks {
    std::function<ConfigurationValues()> settings;
    // The model the shown file is read and written as, which a send follows.
    std::function<int()> fileModel;
    std::function<DatabaseFile*()> file;
    std::function<QString()> path;
    std::function<void(const QString&)> setPath;
    // Offers to save the changes; true to go on (see MainPanel::OfferSave).
    std::function<bool(bool noContinues)> offerSave;
    std::function<bool(const QString&)> openFile;
    std::function<QString(const QString& filter)> chooseSaveFile;
    std::function<QString()> chooseFolder;
    // true: the windows and the File controls make way for a transfer; false:
    // they come back, the windows showing the database loaded.
    std::function<void(bool)> showTransferring;
    std::function<int(const QString& text, int buttons, int defaultButton)> ask;
    std::function<void(MessageLevel, const QString&)> tell;
};

// The panel's widgets a transfer drives.
struct TransferWidgets {
    QProgressBar* progress;
    QPushButton* stop;
    QLabel* wait;
    QLabel* status;
};

class TransferController : public QObject {
    Q_OBJECT
  public:
    static constexpr int kStatusInterval = 5000;

    // `runPort`, when given, is the device this run uses; it is not stored.
    TransferController(QWidget* panel, TransferWidgets widgets, TransferHooks hooks,
                       const QString& runPort);
    ~TransferController() override;

    link::ReceiverLink& Link() { return *link_; }
    const TransferSession& Session() const { return session_; }
    // A link handler is on the stack: its worker waits for it to return.
    bool HandlingLink() const { return handling_ > 0; }

    void WriteIntoReceiver();
    void ReadFromReceiver();
    void Stop();
    // The panel closes: a running transfer is stopped, no message is shown.
    void Shutdown();
    // The password dialog holds the port check while it is open.
    void HoldStatusChecks(bool hold);
    // "" shows the idle text; the port state and a transfer come first.
    void RefreshStatus(const QString& text = QString());

  private:
    void StartTransfer(int kind, const QString& path);
    void RestoreAfterTransfer();
    void OnLinkMessage(uint32_t message, quintptr wparam, quintptr lparam);
    void OnTransferResult(uint16_t code);
    void OnProgress(uint64_t done, int64_t total);
    void OnNameReceived();
    void OnReceiveFinished(bool failed);
    void DropReceiveFile();

    QWidget* panel_;
    TransferWidgets widgets_;
    TransferHooks hooks_;
    TransferSession session_;
    // Declared before the link: the link's last messages still reach it.
    LinkBridge bridge_;
    std::unique_ptr<link::ReceiverLink> link_;
    QTimer statusTimer_;
    int handling_ = 0;  // depth of link handlers on the stack
    bool closed_ = false;
    QString receivedFolder_;
    QString receivedName_;
    QString receiveFile_;  // the batch read's own temporary file
    QString pathBeforeRead_;
};

}  // namespace brondavel::app
