#include "app/panel/main_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <cstdio>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/configuration_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/lists/list_view_control.h"
#include "app/logic/configuration_options.h"
#include "app/logic/model_files.h"
#include "app/logic/received_file.h"
#include "app/logic/status_line.h"
#include "app/panel/rotated_caption.h"
#include "app/print/print_commands.h"
#include "app/settings/fonts.h"
#include "app/settings/settings_paths.h"
#include "files/detected_database.h"
#include "link/protocol.h"
#include "model/reference_order.h"

#if __has_include("app/dialogs/epg_test_dialog.h")
#include "app/dialogs/epg_test_dialog.h"
#define BRONDAVEL_HAVE_EPG_TEST 1
#endif

namespace brondavel::app {

namespace {

// Per record kind: the toggle's control id, its tooltip and its view flag.
constexpr int kToggleIds[5] = {1004, 1002, 1005, 1003, 1009};
constexpr const char* kToggleTips[5] = {"Satellite Window", "Transponder Window",
                                        "TV Channel Window", "Radio Channel Window",
                                        "Favorite Window"};
// The short names stay as the buttons' texts for accessibility; only the icons are shown.
constexpr const char* kToggleTexts[5] = {"SAT", "TP", "TV", "RAD", "FAV"};
constexpr const char* kToggleIcons[5] = {":/panel/satellite.xpm", ":/panel/transponder.xpm",
                                         ":/panel/tv.xpm", ":/panel/radio.xpm",
                                         ":/panel/favorites.xpm"};
// A shown window's toggle sits sunken in a bright frame, a hidden one stays raised.
const char* const kToggleStyle =
    "QToolButton { border: 1px solid #0A1628; border-radius: 4px;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6A8CB8, stop:1 #3A5680); }"
    "QToolButton:hover { border-color: #A8C8F0; }"
    "QToolButton:checked { border: 2px solid #FFD36B;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #14243C, stop:1 #2A4670); }"
    "QToolButton:pressed { background: #14243C; }";
constexpr const char* kViewFlags[5] = {"SAT_VIEW", "TP_VIEW", "TV_VIEW", "RADIO_VIEW", "FAV_VIEW"};
constexpr int kFavorites = 4;

constexpr int kOpenCommand = 32813;
constexpr int kReadCommand = 32814;
constexpr int kSaveCommand = 32815;
constexpr int kSaveAsCommand = 32816;
constexpr int kWriteCommand = 32817;
constexpr int kExitCommand = 32818;
constexpr int kAboutCommand = 16;

// A reference order may come from a file of either generation.
const char* const kReferenceFilter =
    "Database files (*.zcs *.ZCS *.bin *.BIN *.lh5 *.LH5);;All files (*)";
constexpr int kRecentTextWidth = 420;  // pixels of a recent file's menu text

// The editing keys, bound once on the panel and shown in the File menu.
constexpr QKeyCombination kUndoKey = Qt::CTRL | Qt::Key_Z;
constexpr QKeyCombination kRedoKey = Qt::CTRL | Qt::Key_Y;
constexpr QKeyCombination kRedoKeyToo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
constexpr QKeyCombination kOpenKey = Qt::CTRL | Qt::Key_O;
constexpr QKeyCombination kSaveKey = Qt::CTRL | Qt::Key_S;
constexpr QKeyCombination kSaveAsKey = Qt::CTRL | Qt::SHIFT | Qt::Key_S;

const char* const kSendInstruction =
    "Please enter \"Menu\"->\"Install\"->\"Set-Top Box Upgrade\", enter your \nparental pin, "
    "then select \"Channel/TP Data Receive\", \nConfirm with \"Yes\" and hit";
const char* const kReceiveInstruction =
    "Please enter \"Menu\"->\"Install\"->\"Set-Top Box Upgrade\", enter your \nparental pin, "
    "then select \"Send Data\", confirm with \"Yes\" wait for \n\"Data sending\" on the TV "
    "screen and then hit \"OK\" in this dialogue.";

QString ModelName(int model) {
    return model == 2 ? QStringLiteral("CONEXANT") : QString("model type %1").arg(model);
}

template <typename T>
T* Named(T* widget, int id) {
    widget->setObjectName(QString("id%1").arg(id));
    return widget;
}

}  // namespace

MainPanel::MainPanel(const PanelOptions& options)
    : bridge_(this),
      mainPos_(RegistryValue::kPoint, kRegistryKeyPath, "MAIN_POS"),
      viewFlags_{RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, kViewFlags[0]),
                 RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, kViewFlags[1]),
                 RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, kViewFlags[2]),
                 RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, kViewFlags[3]),
                 RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, kViewFlags[4])},
      modelType_(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type") {
    if (options.modelType >= 0 && options.modelType <= 2) model_ = options.modelType;
    ReadModelSetting();

    setWindowTitle("Brondavel");
    setObjectName("MainPanel");
    choosers_.openFile = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(this, "Open", QString(), filter);
    };
    choosers_.saveFile = [this](const QString& filter) {
        return QFileDialog::getSaveFileName(this, "Save as", QString(), filter);
    };
    choosers_.folder = [this] { return QFileDialog::getExistingDirectory(this, "Folder"); };

    link_ = std::make_unique<link::ReceiverLink>(&bridge_, link::Delivery::kQueued);
    bridge_.SetLink(link_.get());
    connect(&bridge_, &LinkBridge::linkMessage, this, &MainPanel::OnLinkMessage);
    link_->LoadSettings(SerialIniPath().toStdString());
    if (!options.portDevice.isEmpty()) {
        link::AssignPortDevice(1, options.portDevice.toStdString());
        link_->Port().SetPortNumber(1);
    }
    link_->Start();

    BuildControls();
    ApplyModelCaption();
    AddShortcuts();
    ReadRecentFiles();

    QPoint position(3, 3);
    mainPos_.Read(&position);
    move(position);

    CreateListWindows();
    SetBodyDrag(true);
    SetGroupMove(true);

    statusTimer_.setInterval(kStatusInterval);
    connect(&statusTimer_, &QTimer::timeout, this, [this] { RefreshStatus(); });
    statusTimer_.start();
    passwordTimer_.setSingleShot(true);
    connect(&passwordTimer_, &QTimer::timeout, this, &MainPanel::OnPasswordTimer);
    RefreshStatus();

    if (!options.filePath.isEmpty()) OpenFile(options.filePath);
}

MainPanel::~MainPanel() {
    closed_ = true;
    statusTimer_.stop();
    passwordTimer_.stop();
    // The windows go first: none may outlive the database it points to.
    for (ListWindow*& window : windows_) {
        delete window;
        window = nullptr;
    }
    link_.reset();
    file_.reset();
}

// "Model_Type": written as 0 when missing; a setting the configuration does
// not offer is taken as 0 ("Default").
void MainPanel::ReadModelSetting() {
    int setting = 0;
    if (!modelType_.Read(&setting)) {
        modelType_.Write(0);
        setting = 0;
    }
    modelSetting_ = FirstRowWithValue(kModelSettingOptions, setting) >= 0 ? setting : 0;
}

void MainPanel::BuildControls() {
    setFixedSize(500, 108);
    QPalette light = palette();
    light.setColor(QPalette::WindowText, QColor(235, 242, 250));

    modelCaption_ = Named(new RotatedCaption(this), 1043);
    modelCaption_->setGeometry(4, 4, 18, 100);
    modelCaption_->setPalette(light);

    auto* decoration = Named(new QLabel(this), 1036);
    decoration->setPixmap(QPixmap(":/panel/dish.xpm"));
    decoration->setGeometry(26, 8, 32, 32);

    fileButton_ = Named(new QPushButton("File", this), 1001);
    fileButton_->setFont(ButtonFont());
    fileButton_->setGeometry(64, 8, 72, 30);
    connect(fileButton_, &QPushButton::clicked, this, &MainPanel::ShowFileMenu);

    configButton_ = Named(new QPushButton("Config", this), 1007);
    configButton_->setFont(ButtonFont());
    configButton_->setGeometry(140, 8, 80, 30);
    connect(configButton_, &QPushButton::clicked, this, &MainPanel::OnConfig);

    for (int kind = 0; kind < 5; ++kind) {
        auto* toggle = Named(new QToolButton(this), kToggleIds[kind]);
        toggle->setText(kToggleTexts[kind]);
        toggle->setIcon(QIcon(kToggleIcons[kind]));
        toggle->setIconSize(QSize(24, 24));
        toggle->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toggle->setAccessibleName(kToggleTips[kind]);
        toggle->setStyleSheet(kToggleStyle);
        toggle->setToolTip(kToggleTips[kind]);
        toggle->setCheckable(true);
        toggle->setChecked(true);
        toggle->setGeometry(226 + kind * 46, 8, 42, 30);
        connect(toggle, &QToolButton::toggled, this,
                [this, kind](bool checked) { OnToggle(kind, checked); });
        toggles_[kind] = toggle;
    }

    auto* help = Named(new QPushButton("?", this), 57670);
    help->setGeometry(430, 4, 18, 18);
    help->hide();
    auto* hiddenStatic = Named(new QLabel(this), 1035);
    hiddenStatic->hide();

    auto* minimise = Named(new QToolButton(this), 57671);
    minimise->setText("_");
    minimise->setToolTip("Minimise");
    minimise->setGeometry(454, 4, 20, 20);
    connect(minimise, &QToolButton::clicked, this, &QWidget::showMinimized);
    auto* closeButton = Named(new QToolButton(this), 2);
    closeButton->setText("X");
    closeButton->setToolTip("Exit");
    closeButton->setGeometry(476, 4, 20, 20);
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);

    progress_ = Named(new QProgressBar(this), 1006);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setFormat("%p%");
    progress_->setFont(BoldCaptionFont(14));
    progress_->setGeometry(64, 8, 300, 30);
    progress_->hide();

    stopButton_ = Named(new QPushButton("Stop", this), 1008);
    stopButton_->setFont(ButtonFont());
    stopButton_->setGeometry(370, 8, 76, 30);
    stopButton_->hide();
    connect(stopButton_, &QPushButton::clicked, this, &MainPanel::OnStop);

    path_ = Named(new QLabel(this), 1015);
    path_->setGeometry(64, 44, 428, 20);
    path_->setPalette(light);
    status_ = Named(new QLabel(this), 1016);
    status_->setGeometry(64, 64, 428, 20);
    status_->setPalette(light);
    wait_ = Named(new QLabel(this), 1017);
    wait_->setGeometry(64, 84, 428, 20);
    wait_->setPalette(light);
}

void MainPanel::CreateListWindows() {
    for (int kind = 0; kind < 5; ++kind) {
        auto* window = new ListWindow(this, model_, kind, &controls_, &windows_);
        window->hide();
        connect(window, &ListWindow::closedByUser, this, &MainPanel::OnWindowClosed);
    }
    for (ListWindow* window : windows_) {
        window->AddPartner(this);
        for (ListWindow* other : windows_)
            if (other != window) window->AddPartner(other);
        AddPartner(window);
    }
    for (int kind = 0; kind < 5; ++kind) {
        bool shown = true;
        viewFlags_[kind].Read(&shown);
        shown_[kind] = shown;
    }
    // The favourite window always starts hidden.
    shown_[kFavorites] = false;
    toggles_[kFavorites]->hide();
    for (int kind = 0; kind < 5; ++kind) {
        const QSignalBlocker quiet(toggles_[kind]);
        toggles_[kind]->setChecked(shown_[kind]);
        windows_[kind]->setVisible(shown_[kind]);
    }
}

void MainPanel::ApplyModelCaption() {
    const int row = FirstRowWithValue(kModelSettingOptions, modelSetting_);
    // The "Default" setting shows no caption.
    modelCaption_->setText(row > 0 ? kModelSettingOptions[row].label : "");
}

QString MainPanel::PathText() const {
    return path_->text();
}

QString MainPanel::StatusText() const {
    return status_->text();
}

void MainPanel::SetPath(const QString& path) {
    path_->setText(path);
}

// ---------------------------------------------------------------- File menu

std::unique_ptr<QMenu> MainPanel::BuildFileMenu() {
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&](const char* text, int id, void (MainPanel::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(QString("id%1").arg(id));
        return action;
    };
    auto named = [&](const QString& text, const char* name, void (MainPanel::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(name);
        return action;
    };
    const bool loaded = file_ != nullptr;
    add("Open", kOpenCommand, &MainPanel::OnOpen)->setShortcut(kOpenKey);
    add("Read From Receiver", kReadCommand, &MainPanel::OnReadFromReceiver);
    menu->addSeparator();
    const QString undoLabel = loaded ? QString::fromStdString(file_->db().UndoLabel()) : "";
    const QString redoLabel = loaded ? QString::fromStdString(file_->db().RedoLabel()) : "";
    QAction* undo =
        named(undoLabel.isEmpty() ? "Undo" : "Undo " + undoLabel, "menuUndo", &MainPanel::OnUndo);
    undo->setShortcut(kUndoKey);
    undo->setEnabled(!undoLabel.isEmpty());
    QAction* redo =
        named(redoLabel.isEmpty() ? "Redo" : "Redo " + redoLabel, "menuRedo", &MainPanel::OnRedo);
    redo->setShortcut(kRedoKey);
    redo->setEnabled(!redoLabel.isEmpty());
    menu->addSeparator();
    QAction* save = add("Save", kSaveCommand, &MainPanel::OnSave);
    save->setShortcut(kSaveKey);
    QAction* saveAs = add("Save as", kSaveAsCommand, &MainPanel::OnSaveAs);
    saveAs->setShortcut(kSaveAsKey);
    QAction* write = add("Write Into Receiver", kWriteCommand, &MainPanel::OnWriteIntoReceiver);
    menu->addSeparator();
    named("Print...", "menuPrint", &MainPanel::OnPrint)->setEnabled(loaded);
    named("Export PDF...", "menuExportPdf", &MainPanel::OnExportPdf)->setEnabled(loaded);
    menu->addSeparator();
    QAction* order = named("Apply order from file...", "menuApplyOrder", &MainPanel::OnApplyOrder);
    QAction* restore =
        named("Restore original", "menuRestoreOriginal", &MainPanel::OnRestoreOriginal);
    save->setEnabled(loaded && file_->db().modified);
    saveAs->setEnabled(loaded);
    write->setEnabled(loaded);
    order->setEnabled(loaded);
    restore->setEnabled(loaded && !backups_.BackupOf(PathText().toStdString()).empty());
    // The shortcuts work through the panel's own; the menu only shows them.
    for (QAction* action : menu->actions()) action->setShortcutContext(Qt::WidgetShortcut);

    if (!recent_.Paths().empty()) menu->addSeparator();
    const QFontMetrics metrics(menu->font());
    int number = 0;
    for (const std::string& stored : recent_.Paths()) {
        const QString path = QString::fromStdString(stored);
        const QString shown = metrics.elidedText(path, Qt::ElideMiddle, kRecentTextWidth);
        ++number;
        QAction* action = menu->addAction(QString("&%1 %2").arg(number).arg(shown));
        action->setObjectName(QString("recentFile%1").arg(number));
        action->setData(path);
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    menu->addSeparator();
    QAction* exit = menu->addAction("Exit", this, &QWidget::close);
    exit->setObjectName(QString("id%1").arg(kExitCommand));
    return menu;
}

void MainPanel::ShowFileMenu() {
    std::unique_ptr<QMenu> menu = BuildFileMenu();
    menu->exec(fileButton_->mapToGlobal(QPoint(0, 0)));
}

// The editing keys reach the panel from every window of the program; a
// dialog or an edit box that takes them keeps them.
void MainPanel::AddShortcuts() {
    auto bind = [this](const QKeySequence& keys, const char* name, void (MainPanel::*slot)()) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setObjectName(name);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, slot] {
            if (CommandsFree()) (this->*slot)();
        });
    };
    bind(kUndoKey, "shortcutUndo", &MainPanel::OnUndo);
    bind(kRedoKey, "shortcutRedo", &MainPanel::OnRedo);
    bind(kRedoKeyToo, "shortcutRedo2", &MainPanel::OnRedo);
    bind(kOpenKey, "shortcutOpen", &MainPanel::OnOpen);
    bind(kSaveKey, "shortcutSave", &MainPanel::OnSave);
    bind(kSaveAsKey, "shortcutSaveAs", &MainPanel::OnSaveAs);
}

bool MainPanel::CommandsFree() const {
    return state_ == 0 && !closed_ && QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

// ---------------------------------------------------------------- undo

void MainPanel::OnUndo() {
    StepHistory(true);
}

void MainPanel::OnRedo() {
    StepHistory(false);
}

void MainPanel::StepHistory(bool back) {
    if (!file_ || state_ != 0) return;
    const ListControls lists{controls_[0], controls_[1], controls_[2], controls_[3]};
    ChannelDatabase& db = file_->db();
    if ((back ? db.Undo(lists) : db.Redo(lists)) == 0) return;
    // Favourite groups follow their channels.
    windows_[kFavorites]->RefreshList();
    CommitLists();
}

void MainPanel::CommitLists() {
    for (ListWindow* window : windows_) {
        if (auto* control = dynamic_cast<ListViewControl*>(window->Control())) control->Commit();
        window->UpdateLetterButtons(window->Kind());
    }
}

// ---------------------------------------------------------------- recent files

namespace {

RegistryValue RecentValue(int index) {
    return RegistryValue(RegistryValue::kText, kRegistryKeyPath,
                         QString("RECENT_FILE%1").arg(index + 1));
}

}  // namespace

void MainPanel::ReadRecentFiles() {
    std::vector<std::string> paths;
    for (int i = 0; i < static_cast<int>(RecentFiles::kLimit); ++i) {
        QString path;
        if (RecentValue(i).Read(&path)) paths.push_back(path.toStdString());
    }
    recent_ = RecentFiles(paths);
}

void MainPanel::RememberFile(const QString& path) {
    // Saving the file shown again changes nothing worth a settings write.
    if (recent_.Add(QFileInfo(path).absoluteFilePath().toStdString())) StoreRecentFiles();
}

void MainPanel::StoreRecentFiles() {
    for (int i = 0; i < static_cast<int>(RecentFiles::kLimit); ++i) {
        const bool used = i < static_cast<int>(recent_.Paths().size());
        RecentValue(i).Write(used ? QString::fromStdString(recent_.Paths()[i]) : QString());
    }
}

void MainPanel::ForgetFile(const QString& path) {
    recent_.Remove(path.toStdString());
    StoreRecentFiles();
}

void MainPanel::OpenRecent(const QString& path) {
    if (!OfferSave(true)) return;
    if (!QFileInfo::exists(path)) {
        Tell(MessageLevel::kError,
             QString("\"%1\" no longer exists; it is taken off the recent files.").arg(path));
        ForgetFile(path);
        return;
    }
    OpenFile(path);
}

// ---------------------------------------------------------------- messages

int MainPanel::Ask(const QString& text, int buttons) {
    QMessageBox box(QMessageBox::Question, "Message", text,
                    static_cast<QMessageBox::StandardButtons>(buttons), this);
    return box.exec();
}

void MainPanel::Tell(MessageLevel level, const QString& text) {
    const QMessageBox::Icon icon = level == MessageLevel::kError     ? QMessageBox::Critical
                                   : level == MessageLevel::kSuccess ? QMessageBox::Information
                                                                     : QMessageBox::NoIcon;
    QMessageBox box(icon, CaptionOf(level), text, QMessageBox::Ok, this);
    box.exec();
}

// ---------------------------------------------------------------- files

bool MainPanel::OfferSave(bool noContinues) {
    if (!file_ || !file_->db().modified) return true;
    const int answer =
        Ask("Save change to File ?", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) return SaveTo(PathText());
    return answer == QMessageBox::No && noContinues;
}

bool MainPanel::OpenHandedFile(const QString& path) {
    if (!CommandsFree()) return false;
    // The second copy has its answer before any question is asked here.
    QTimer::singleShot(0, this, [this, path] {
        raise();
        activateWindow();
        if (!path.isEmpty() && CommandsFree()) OpenRecent(path);
    });
    return true;
}

void MainPanel::OnPrint() {
    if (!file_) return;
    SheetOptionsDialog ask("Print", this);
    if (ask.exec() != QDialog::Accepted) return;
    ChannelSheetPreview preview(this, file_->db(), PathText(), ask.Options());
    preview.exec();
}

void MainPanel::OnExportPdf() {
    if (!file_) return;
    SheetOptionsDialog ask("Export PDF", this);
    if (ask.exec() != QDialog::Accepted) return;
    const QString path = choosers_.saveFile("PDF (*.pdf)");
    if (!path.isEmpty())
        ExportSheetPdf(this, file_->db(), PathText(), ask.Options(), PdfPathFrom(path));
}

void MainPanel::OnOpen() {
    // Opening replaces the database: unsaved changes are offered first.
    if (!OfferSave(true)) return;
    const QString path = choosers_.openFile(QString::fromStdString(FileFilterFor(model_)));
    if (!path.isEmpty()) OpenFile(path);
}

bool MainPanel::OpenFile(const QString& path) {
    std::unique_ptr<DatabaseFile> file =
        MakeDatabaseFile(path.toStdString(), model_, flashType_, compressMode_);
    if (!file->Load()) {
        QString why = QString::fromStdString(file->lastError());
        if (why.isEmpty()) why = "The file cannot be read.";
        Tell(MessageLevel::kError, QString("Cannot open \"%1\":\n%2").arg(path, why));
        return false;
    }
    std::unique_ptr<DatabaseFile> previous = std::move(file_);
    file_ = std::move(file);
    GiveDatabaseToWindows();
    previous.reset();
    SetPath(path);
    RememberFile(path);
    if (!file_->headerValid()) {
        foreignPath_ = path;
        Tell(MessageLevel::kError,
             QString("\"%1\" is not a database of the configured model (%2).\n"
                     "It was opened as an empty database.")
                 .arg(path, ModelName(model_)));
    } else {
        if (foreignPath_ == path) foreignPath_.clear();
        if (!file_->loadWarnings().empty()) {
            QString text = QString("\"%1\" was damaged and has been repaired:").arg(path);
            for (const std::string& warning : file_->loadWarnings())
                text += "\n" + QString::fromStdString(warning);
            Tell(MessageLevel::kMessage, text);
        }
    }
    return true;
}

bool MainPanel::SaveTo(const QString& path) {
    if (!file_ || path.isEmpty()) return false;
    if (!foreignPath_.isEmpty() &&
        QFileInfo(path).absoluteFilePath() == QFileInfo(foreignPath_).absoluteFilePath()) {
        const int answer = Ask(QString("\"%1\" is not a database of the configured model (%2).\n"
                                       "Replace it with the database shown?")
                                   .arg(path, ModelName(model_)),
                               QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) return false;
    }
    std::string backupError;
    if (!backups_.BeforeSave(path.toStdString(), backupError)) {
        Tell(MessageLevel::kError, QString("Cannot save \"%1\":\n%2\nThe file was left as it was.")
                                       .arg(path, QString::fromStdString(backupError)));
        return false;
    }
    if (!file_->Save(path.toStdString())) {
        QString why = QString::fromStdString(file_->lastError());
        if (why.isEmpty()) why = "The file cannot be written.";
        Tell(MessageLevel::kError, QString("Cannot save \"%1\":\n%2").arg(path, why));
        return false;
    }
    RememberFile(path);
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(foreignPath_).absoluteFilePath())
        foreignPath_.clear();
    return true;
}

void MainPanel::OnSave() {
    if (file_) SaveTo(PathText());
}

void MainPanel::OnSaveAs() {
    if (!file_) return;
    QString path = choosers_.saveFile(QString::fromStdString(FileFilterFor(model_)));
    if (path.isEmpty()) return;
    path = QString::fromStdString(
        WithDefaultExtension(path.toStdString(), DefaultExtensionFor(model_)));
    if (SaveTo(path)) SetPath(path);
}

void MainPanel::OnApplyOrder() {
    if (!file_ || state_ != 0) return;
    const QString path = choosers_.openFile(kReferenceFilter);
    if (path.isEmpty()) return;
    std::string error;
    const std::unique_ptr<DatabaseFile> reference = OpenDetectedDatabase(path.toStdString(), error);
    if (!reference) {
        Tell(MessageLevel::kError,
             QString("Cannot read \"%1\":\n%2").arg(path, QString::fromStdString(error)));
        return;
    }
    const int answer = Ask(QString("Take the favourite groups of \"%1\" as well?").arg(path),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes && answer != QMessageBox::No) return;
    const ReferenceOrderResult result =
        ApplyReferenceOrder(file_->db(), reference->db(), answer == QMessageBox::Yes);
    for (ListWindow* window : windows_) window->RefreshList();
    CommitLists();
    Tell(MessageLevel::kSuccess,
         QString("The channels took the order of \"%1\":\n"
                 "%2 matched by satellite, frequency, polarisation and service id,\n"
                 "%3 matched by name,\n%4 not found, kept after the others in their order.")
             .arg(path)
             .arg(result.byKey)
             .arg(result.byName)
             .arg(result.unmatched));
}

void MainPanel::OnRestoreOriginal() {
    if (!file_ || state_ != 0) return;
    const QString path = PathText();
    const QString backup = QString::fromStdString(backups_.BackupOf(path.toStdString()));
    if (backup.isEmpty()) return;
    QString question = QString(
                           "Put back \"%1\" as it was before this session saved over it "
                           "(kept in \"%2\")?\nWhat was saved since is lost")
                           .arg(path, backup);
    question += file_->db().modified ? ", and so are the changes not saved." : ".";
    if (Ask(question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) return;
    std::string error;
    if (!backups_.RestoreOriginal(path.toStdString(), error)) {
        Tell(MessageLevel::kError,
             QString("Cannot restore \"%1\":\n%2").arg(path, QString::fromStdString(error)));
        return;
    }
    OpenFile(path);
}

void MainPanel::GiveDatabaseToWindows() {
    ChannelDatabase* database = file_ ? &file_->db() : nullptr;
    for (ListWindow* window : windows_) window->SetDatabase(database, model_);
    for (ListWindow* window : windows_) window->RefreshList();
}

// ---------------------------------------------------------------- transfers

void MainPanel::OnWriteIntoReceiver() {
    if (!file_) return;
    if (file_->db().modified && !OfferSave(false)) return;
    StartTransfer(kWriteIntoReceiver);
}

void MainPanel::OnReadFromReceiver() {
    if (!OfferSave(false)) return;
    QString target;
    if (TransferModeFor(model_) == 1) {
        target = choosers_.saveFile(QString::fromStdString(FileFilterFor(model_)));
        if (!target.isEmpty())
            target = QString::fromStdString(
                WithDefaultExtension(target.toStdString(), DefaultExtensionFor(model_)));
    } else {
        target = choosers_.folder();
    }
    if (target.isEmpty()) return;
    pathBeforeRead_ = PathText();
    SetPath(target);
    StartTransfer(kReadFromReceiver);
}

void MainPanel::StartTransfer(int kind) {
    if (!link_->Port().IsOpen()) {
        Tell(MessageLevel::kError, "COM Collision !!!");
        if (kind == kReadFromReceiver) SetPath(pathBeforeRead_);
        return;
    }
    QString path = PathText();
    if (path.isEmpty()) return;
    kind_ = kind;
    state_ = kind == kWriteIntoReceiver ? 1 : 2;
    Tell(MessageLevel::kMessage,
         kind == kWriteIntoReceiver ? kSendInstruction : kReceiveInstruction);
    RefreshStatus();
    ShowTransferControls(true);
    for (int k = 0; k < 5; ++k) {
        shownBeforeTransfer_[k] = shown_[k];
        shown_[k] = false;
        windows_[k]->hide();
    }
    const int mode = TransferModeFor(model_);
    if (kind == kReadFromReceiver && mode == 2) {
        receivedFolder_ = path;
        path = QString::fromStdString(JoinPath(path.toStdString(), kTemporaryReceiveName));
    }
    const bool started = kind == kWriteIntoReceiver ? link_->StartSend(path.toStdString(), mode)
                                                    : link_->StartReceive(path.toStdString(), mode);
    if (started) return;
    Tell(MessageLevel::kError, QString("Not Find - DownLoad File!!\n%1").arg(path));
    if (kind == kReadFromReceiver) SetPath(pathBeforeRead_);
    RestoreAfterTransfer();
}

void MainPanel::ShowTransferControls(bool transferring) {
    fileButton_->setVisible(!transferring);
    configButton_->setVisible(!transferring);
    for (int kind = 0; kind < 5; ++kind)
        toggles_[kind]->setVisible(!transferring && kind != kFavorites);
    progress_->setVisible(transferring);
    stopButton_->setVisible(transferring);
}

void MainPanel::RestoreAfterTransfer() {
    GiveDatabaseToWindows();
    for (int kind = 0; kind < 5; ++kind) {
        shown_[kind] = shownBeforeTransfer_[kind];
        const QSignalBlocker quiet(toggles_[kind]);
        toggles_[kind]->setChecked(shown_[kind]);
        windows_[kind]->setVisible(shown_[kind]);
    }
    progress_->setValue(0);
    state_ = 0;
    ShowTransferControls(false);
    wait_->clear();
    RefreshStatus();
}

void MainPanel::OnLinkMessage(uint32_t message, quintptr wparam, quintptr lparam) {
    if (closed_) return;
    ++handlingLink_;
    switch (message) {
        case link::kMsgResult:
            OnTransferResult(static_cast<uint16_t>(wparam));
            break;
        case link::kMsgSendProgress:
        case link::kMsgReceiveProgress:
            OnProgress(wparam, static_cast<int64_t>(lparam));
            break;
        case link::kMsgReceiveFinished:
            OnReceiveFinished(wparam);
            break;
        case link::kMsgWaitNotice:
            wait_->setText("Wait a Moment....");
            break;
        case link::kMsgNameReceived:
            OnNameReceived();
            break;
        default:  // data while idle: nothing to do with it
            break;
    }
    --handlingLink_;
}

void MainPanel::OnProgress(uint64_t done, int64_t total) {
    if (const std::optional<int> percent = ProgressPercent(done, total))
        progress_->setValue(*percent);
}

void MainPanel::OnTransferResult(uint16_t code) {
    if (state_ == 0) return;
    // No second stop while the result is being shown: the worker waits on it.
    stopButton_->hide();
    const TransferOutcome outcome = DecideTransferOutcome(code, kind_, model_);
    if (outcome.level != MessageLevel::kNone)
        Tell(outcome.level, QString::fromStdString(outcome.text));
    if (kind_ == kReadFromReceiver) {
        if (outcome.openReceivedFile) {
            if (!OpenFile(PathText())) SetPath(pathBeforeRead_);
        } else if (code != link::kResultOk) {
            // The path static goes on naming the database that is loaded.
            SetPath(pathBeforeRead_);
        }
    }
    RestoreAfterTransfer();
}

void MainPanel::OnNameReceived() {
    receivedName_ = QString::fromStdString(link_->ReceivedName());
    SetPath(QString::fromStdString(
        JoinPath(receivedFolder_.toStdString(), receivedName_.toStdString())));
}

void MainPanel::OnReceiveFinished(uintptr_t failed) {
    if (model_ != 2) return;
    const std::string folder = receivedFolder_.toStdString();
    if (failed) {
        std::remove(JoinPath(folder, kTemporaryReceiveName).c_str());
        return;
    }
    const PlacedFile placed = PlaceReceivedFile(folder, receivedName_.toStdString());
    if (!placed.named) {
        SetPath(pathBeforeRead_);
        Tell(MessageLevel::kError, QString("The received file could not be stored as \"%1\" (%2).\n"
                                           "It is kept as \"%3\".")
                                       .arg(receivedName_, QString::fromStdString(placed.error),
                                            QString::fromStdString(placed.path)));
        return;
    }
    const QString path = QString::fromStdString(placed.path);
    SetPath(path);
    if (!OpenFile(path)) SetPath(pathBeforeRead_);
}

void MainPanel::OnStop() {
    if (!link_->Sending() && !link_->Receiving()) return;
    wait_->setText("Wait a Moment....");
    if (kind_ == kReadFromReceiver)
        link_->StopReceive();
    else
        link_->StopSend();
}

// ---------------------------------------------------------------- status line

void MainPanel::RefreshStatus(const QString& text) {
    StatusInputs in;
    in.model = model_;
    in.flashType = flashType_;
    in.compressMode = compressMode_;
    in.account = account_;
    in.transferState = state_;
    in.portOpen = link_->Port().IsOpen();
    in.portPresent = !in.portOpen && link::ProbePort(link_->Port().PortNumber());
    in.text = text.toStdString();
    status_->setText(QString::fromStdString(StatusLineText(in)));
    if (!in.portOpen && handlingLink_ == 0) {
        // Retry: the port may be free again.
        link_->Stop();
        link_->Start();
    }
}

// ---------------------------------------------------------------- windows

void MainPanel::OnToggle(int kind, bool checked) {
    shown_[kind] = checked;
    windows_[kind]->setVisible(checked);
}

void MainPanel::OnWindowClosed(int kind) {
    if (kind < 0 || kind >= 5) return;
    shown_[kind] = false;
    const QSignalBlocker quiet(toggles_[kind]);
    toggles_[kind]->setChecked(false);
}

// ---------------------------------------------------------------- dialogs

void MainPanel::OnConfig() {
    ConfigurationValues values{modelSetting_, model_, flashType_, compressMode_, account_};
    ConfigurationDialog dialog(this, link_.get(), file_.get(), values);
    if (dialog.exec() != QDialog::Accepted) return;
    const ConfigurationValues& chosen = dialog.Values();
    if (chosen.modelSetting != modelSetting_) {
        modelSetting_ = chosen.modelSetting;
        modelType_.Write(modelSetting_);
        ApplyModelCaption();
    }
    model_ = chosen.modelType;
    flashType_ = chosen.flashType;
    compressMode_ = chosen.compressMode;
    account_ = chosen.account;
    RefreshStatus();
}

void MainPanel::OnPasswordTimer() {
    statusTimer_.stop();
    passwordTimer_.stop();
    PasswordDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        account_ = kAccountAdministrator;
        RefreshStatus();
    }
    passwordPending_ = false;
    statusTimer_.start(kStatusInterval);
}

void MainPanel::OnAbout() {
    AboutDialog dialog(this);
    dialog.exec();
}

void MainPanel::OnHelp() {
#ifdef BRONDAVEL_HAVE_EPG_TEST
    if (!file_) return;
    EpgTestDialog dialog(this, model_, &file_->db());
    dialog.exec();
#endif
}

// ---------------------------------------------------------------- events

void MainPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Home:
            if (!passwordPending_) {
                passwordPending_ = true;
                passwordTimer_.start(kPasswordDelay);
            }
            return;
        case Qt::Key_F1:
            OnHelp();
            return;
        case Qt::Key_Escape:
            close();
            return;
        default:
            MagneticDialog::keyPressEvent(event);
    }
}

// A frameless window has no system menu: a right click on the body opens it.
void MainPanel::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addSeparator();
    QAction* about = menu.addAction("&About CalvoBrondavel...", this, &MainPanel::OnAbout);
    about->setObjectName(QString("id%1").arg(kAboutCommand));
    menu.exec(event->globalPos());
}

void MainPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(46, 78, 122));
    fill.setColorAt(1, QColor(20, 38, 66));
    painter.fillRect(rect(), fill);
    painter.setPen(QColor(120, 160, 210));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QColor(8, 18, 34));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void MainPanel::closeEvent(QCloseEvent* event) {
    // A link handler is on the stack: its worker waits, and would wait for ever.
    if (handlingLink_ > 0 || closed_) {
        event->ignore();
        return;
    }
    // Cancel goes back to the editor; a failed save keeps the panel open, so
    // the changes are not lost.
    if (!OfferSave(true)) {
        event->ignore();
        return;
    }
    if (link_->Receiving() || link_->Sending()) {
        if (kind_ == kReadFromReceiver)
            link_->StopReceive();
        else
            link_->StopSend();
    }
    WriteBackSettings();
    closed_ = true;
    statusTimer_.stop();
    passwordTimer_.stop();
    for (ListWindow* window : windows_) window->hide();
    event->accept();
    emit finished();
}

void MainPanel::WriteBackSettings() {
    mainPos_.Write(pos());
    for (int kind = 0; kind < 5; ++kind) viewFlags_[kind].Write(toggles_[kind]->isChecked());
}

}  // namespace brondavel::app
