#include "app/panel/transfer_controller.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "app/logic/model_files.h"
#include "app/logic/received_file.h"
#include "app/logic/send_check.h"
#include "app/logic/status_line.h"
#include "app/settings/settings_paths.h"
#include "files/database_file.h"
#include "link/protocol.h"

namespace brondavel::app {

namespace {

const char* const kSendInstruction =
    "Please enter \"Menu\"->\"Install\"->\"Set-Top Box Upgrade\", enter your \nparental pin, "
    "then select \"Channel/TP Data Receive\", \nConfirm with \"Yes\" and hit";
const char* const kReceiveInstruction =
    "Please enter \"Menu\"->\"Install\"->\"Set-Top Box Upgrade\", enter your \nparental pin, "
    "then select \"Send Data\", confirm with \"Yes\" wait for \n\"Data sending\" on the TV "
    "screen and then hit \"OK\" in this dialogue.";
const char* const kWaitText = "Wait a Moment....";

}  // namespace

TransferController::TransferController(QWidget* panel, TransferWidgets widgets, TransferHooks hooks,
                                       const QString& runPort)
    : QObject(panel),
      panel_(panel),
      widgets_(widgets),
      hooks_(std::move(hooks)),
      bridge_(this),
      link_(std::make_unique<link::ReceiverLink>(&bridge_, link::Delivery::kQueued)) {
    bridge_.SetLink(link_.get());
    connect(&bridge_, &LinkBridge::linkMessage, this, &TransferController::OnLinkMessage);
    link_->LoadSettings(SerialIniPath().toStdString());
    if (!runPort.isEmpty()) link_->UseRunPort(runPort.toStdString());
    link_->Start();
    if (const std::string& notice = link_->SettingsNotice(); !notice.empty()) {
        // Said once, after the panel is up; OK in the configuration stores valid values.
        const QString text = QString("\"%1\" holds settings the port cannot use:\n%2")
                                 .arg(SerialIniPath(), QString::fromStdString(notice).trimmed());
        QTimer::singleShot(0, this, [this, text] { hooks_.tell(MessageLevel::kMessage, text); });
    }
    statusTimer_.setInterval(kStatusInterval);
    connect(&statusTimer_, &QTimer::timeout, this, [this] { RefreshStatus(); });
    statusTimer_.start();
}

TransferController::~TransferController() {
    closed_ = true;
    statusTimer_.stop();
    link_.reset();
    DropReceiveFile();
}

void TransferController::WriteIntoReceiver() {
    DatabaseFile* file = hooks_.file();
    if (!file || !session_.Idle()) return;
    if (file->db().modified && !hooks_.offerSave(false)) return;
    const QString path = hooks_.path();
    if (path.isEmpty()) return;
    const ConfigurationValues settings = hooks_.settings();
    const std::string question = SendMismatchQuestion(path.toStdString(), settings.modelType,
                                                      settings.flashType, settings.compressMode);
    if (!question.empty() &&
        hooks_.ask(QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No) != QMessageBox::Yes)
        return;
    StartTransfer(kWriteIntoReceiver, path);
}

void TransferController::ReadFromReceiver() {
    if (!session_.Idle() || !hooks_.offerSave(false)) return;
    const int model = hooks_.settings().modelType;
    QString target;
    if (TransferModeFor(model) == 1) {
        target = hooks_.chooseSaveFile(QString::fromStdString(FileFilterFor(model)));
        if (!target.isEmpty())
            target = QString::fromStdString(
                WithDefaultExtension(target.toStdString(), DefaultExtensionFor(model)));
    } else {
        target = hooks_.chooseFolder();
    }
    if (target.isEmpty()) return;
    pathBeforeRead_ = hooks_.path();
    hooks_.setPath(target);
    StartTransfer(kReadFromReceiver, target);
}

void TransferController::StartTransfer(int kind, const QString& path) {
    const bool reading = kind == kReadFromReceiver;
    if (!link_->Port().IsOpen()) {
        hooks_.tell(MessageLevel::kError, "COM Collision !!!");
        if (reading) hooks_.setPath(pathBeforeRead_);
        return;
    }
    const int model = reading ? hooks_.settings().modelType : hooks_.fileModel();
    if (!session_.Begin(kind, model)) return;
    hooks_.tell(MessageLevel::kMessage, reading ? kReceiveInstruction : kSendInstruction);
    RefreshStatus();
    widgets_.progress->show();
    widgets_.stop->show();
    hooks_.showTransferring(true);
    QString target = path;
    if (reading && session_.Mode() == 2) {
        // The receiver names the file later; until then it goes to a file of its own.
        receivedFolder_ = path;
        std::string error;
        receiveFile_ = QString::fromStdString(MakeReceiveFile(path.toStdString(), error));
        if (receiveFile_.isEmpty()) {
            hooks_.tell(MessageLevel::kError, QString("Cannot receive into \"%1\":\n%2")
                                                  .arg(path, QString::fromStdString(error)));
            hooks_.setPath(pathBeforeRead_);
            RestoreAfterTransfer();
            return;
        }
        target = receiveFile_;
    }
    const std::string file = target.toStdString();
    const bool started = reading ? link_->StartReceive(file, session_.Mode())
                                 : link_->StartSend(file, session_.Mode());
    if (started) return;
    hooks_.tell(MessageLevel::kError, QString("Not Find - DownLoad File!!\n%1").arg(target));
    DropReceiveFile();
    if (reading) hooks_.setPath(pathBeforeRead_);
    RestoreAfterTransfer();
}

void TransferController::RestoreAfterTransfer() {
    session_.Abandon();
    hooks_.showTransferring(false);
    widgets_.progress->setValue(0);
    widgets_.progress->hide();
    widgets_.stop->hide();
    widgets_.wait->clear();
    RefreshStatus();
}

void TransferController::OnLinkMessage(uint32_t message, quintptr wparam, quintptr lparam) {
    if (closed_) return;
    ++handling_;
    switch (message) {
        case link::kMsgResult:
            OnTransferResult(static_cast<uint16_t>(wparam));
            break;
        case link::kMsgSendProgress:
        case link::kMsgReceiveProgress:
            OnProgress(wparam, static_cast<int64_t>(lparam));
            break;
        case link::kMsgReceiveFinished:
            OnReceiveFinished(wparam != 0);
            break;
        case link::kMsgWaitNotice:
            widgets_.wait->setText(kWaitText);
            break;
        case link::kMsgNameReceived:
            OnNameReceived();
            break;
        case link::kMsgLineHungUp:
            // Closed once the listener that said so has returned.
            QTimer::singleShot(0, this, [this] { RefreshStatus(); });
            break;
        default:  // data while idle: nothing to do with it
            break;
    }
    --handling_;
}

void TransferController::OnProgress(uint64_t done, int64_t total) {
    if (const std::optional<int> percent = ProgressPercent(done, total))
        widgets_.progress->setValue(*percent);
}

void TransferController::OnTransferResult(uint16_t code) {
    if (session_.Idle()) return;
    // No second stop while the result is being shown: the worker waits on it.
    widgets_.stop->hide();
    const bool reading = session_.Reading();
    const TransferOutcome outcome = session_.Finish(code);
    if (outcome.level != MessageLevel::kNone)
        hooks_.tell(outcome.level, QString::fromStdString(outcome.text));
    if (reading) {
        if (outcome.openReceivedFile) {
            if (!hooks_.openFile(hooks_.path())) hooks_.setPath(pathBeforeRead_);
        } else if (code != link::kResultOk) {
            // The path goes on naming the database that is loaded.
            hooks_.setPath(pathBeforeRead_);
        }
    }
    RestoreAfterTransfer();
}

void TransferController::OnNameReceived() {
    receivedName_ = QString::fromStdString(ReceivedFileName(link_->ReceivedName()));
    hooks_.setPath(QString::fromStdString(
        JoinPath(receivedFolder_.toStdString(), receivedName_.toStdString())));
}

void TransferController::OnReceiveFinished(bool failed) {
    if (!session_.TakeReceivedFile()) return;
    if (failed) {
        DropReceiveFile();
        return;
    }
    const PlacedFile placed = PlaceReceivedFile(
        receiveFile_.toStdString(), receivedFolder_.toStdString(), receivedName_.toStdString());
    receiveFile_.clear();
    if (!placed.named) {
        hooks_.setPath(pathBeforeRead_);
        hooks_.tell(MessageLevel::kError,
                    QString("The received file could not be stored as \"%1\" (%2).\n"
                            "It is kept as \"%3\".")
                        .arg(receivedName_, QString::fromStdString(placed.error),
                             QString::fromStdString(placed.path)));
        return;
    }
    const QString path = QString::fromStdString(placed.path);
    hooks_.setPath(path);
    if (!hooks_.openFile(path)) hooks_.setPath(pathBeforeRead_);
}

void TransferController::DropReceiveFile() {
    if (receiveFile_.isEmpty()) return;
    QFile::remove(receiveFile_);
    receiveFile_.clear();
}

void TransferController::Stop() {
    if (!link_->Sending() && !link_->Receiving()) return;
    session_.RequestStop();
    widgets_.wait->setText(kWaitText);
    if (session_.Reading())
        link_->StopReceive();
    else
        link_->StopSend();
}

void TransferController::Shutdown() {
    // Quiet from here on: the messages of the stop below are not shown.
    closed_ = true;
    statusTimer_.stop();
    if (link_->Receiving())
        link_->StopReceive();
    else if (link_->Sending())
        link_->StopSend();
    DropReceiveFile();
}

void TransferController::HoldStatusChecks(bool hold) {
    if (hold)
        statusTimer_.stop();
    else
        statusTimer_.start(kStatusInterval);
}

void TransferController::RefreshStatus(const QString& text) {
    link::SerialPort& port = link_->Port();
    if (handling_ == 0 && session_.Idle() && !closed_) {
        // A line that hung up is closed; a closed port is tried again, and the
        // text below already shows how that went.
        if (port.IsOpen() && port.HungUp()) link_->Stop();
        if (!port.IsOpen()) link_->Start();
    }
    const ConfigurationValues settings = hooks_.settings();
    StatusInputs in;
    in.model = settings.modelType;
    in.flashType = settings.flashType;
    in.compressMode = settings.compressMode;
    in.account = settings.account;
    in.transfer = session_.Phase();
    in.portOpen = port.IsOpen();
    in.portPresent = !in.portOpen && link::ProbePort(port.PortNumber());
    in.text = text.toStdString();
    widgets_.status->setText(QString::fromStdString(StatusLineText(in)));
}

}  // namespace brondavel::app
