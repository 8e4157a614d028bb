#include "app/panel/main_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
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
#include <QToolButton>

#include "app/dialogs/about_dialog.h"
#include "app/dialogs/configuration_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/lists/list_view_control.h"
#include "app/logic/configuration_options.h"
#include "app/logic/file_settings.h"
#include "app/logic/kind_traits.h"
#include "app/logic/model_files.h"
#include "app/logic/status_line.h"
#include "app/panel/message_boxes.h"
#include "app/panel/rotated_caption.h"
#include "app/print/print_commands.h"
#include "app/settings/fonts.h"
#include "app/settings/settings_paths.h"

#if __has_include("app/dialogs/epg_test_dialog.h")
#include "app/dialogs/epg_test_dialog.h"
#define BRONDAVEL_HAVE_EPG_TEST 1
#endif

namespace brondavel::app {

namespace {

// A shown window's toggle sits sunken in a bright frame, a hidden one stays raised.
const char* const kToggleStyle =
    "QToolButton { border: 1px solid #0A1628; border-radius: 4px;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6A8CB8, stop:1 #3A5680); }"
    "QToolButton:hover { border-color: #A8C8F0; }"
    "QToolButton:checked { border: 2px solid #FFD36B;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #14243C, stop:1 #2A4670); }"
    "QToolButton:pressed { background: #14243C; }";

constexpr int kAboutCommand = 16;

RegistryValue ViewFlag(RecordKind kind) {
    return RegistryValue(RegistryValue::kBoolean, kRegistryKeyPath, TraitsOf(kind).toggle.viewFlag);
}

template <typename T>
T* Named(T* widget, int id) {
    widget->setObjectName(QString("id%1").arg(id));
    return widget;
}

}  // namespace

MainPanel::MainPanel(const PanelOptions& options)
    : files_(
          this, windows_,
          [this] {
              return FileSettings{model_, flashType_, compressMode_};
          },
          [this] { return transfer_ && !transfer_->Session().Idle(); }),
      mainPos_(RegistryValue::kPoint, kRegistryKeyPath, "MAIN_POS"),
      viewFlags_{ViewFlag(kSatellite), ViewFlag(kTransponder), ViewFlag(kTv), ViewFlag(kRadio),
                 ViewFlag(kFavorite)},
      modelType_(RegistryValue::kInteger, kRegistryKeyPath, "Model_Type") {
    if (options.modelType >= 0 && options.modelType <= 2) model_ = options.modelType;
    ReadModelSetting();

    setWindowTitle("Brondavel");
    setObjectName("MainPanel");
    connect(&files_, &FileCommands::pathChanged, this, &MainPanel::ShowPath);
    connect(&files_, &FileCommands::noteChanged, this, [this] { wait_->setText(files_.Note()); });

    BuildControls();
    CreateTransferController(options.portDevice);
    ApplyModelCaption();
    AddShortcuts();

    CreateListWindows();
    QPoint position;
    windows_.PlaceAtStart(mainPos_.Read(&position) ? std::optional<QPoint>(position)
                                                   : std::nullopt);
    SetBodyDrag(true);
    SetGroupMove(true);

    passwordTimer_.setSingleShot(true);
    connect(&passwordTimer_, &QTimer::timeout, this, &MainPanel::OnPasswordTimer);
    RefreshStatus();

    if (!options.filePath.isEmpty()) OpenFile(options.filePath);
}

MainPanel::~MainPanel() {
    closed_ = true;
    passwordTimer_.stop();
    // The windows go first: none may outlive the database it points to.
    windows_.Destroy();
    transfer_.reset();
    files_.Release();
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

    for (int kind = 0; kind < kKindCount; ++kind) {
        const PanelToggle& traits = TraitsOf(RecordKind(kind)).toggle;
        auto* toggle = Named(new QToolButton(this), traits.controlId);
        toggle->setText(traits.text);
        toggle->setIcon(QIcon(traits.icon));
        toggle->setIconSize(QSize(24, 24));
        toggle->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toggle->setAccessibleName(traits.tooltip);
        toggle->setStyleSheet(kToggleStyle);
        toggle->setToolTip(traits.tooltip);
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
    windows_.Create(this);
    for (ListWindow* window : windows_) {
        connect(window, &ListWindow::closedByUser, this, &MainPanel::OnWindowClosed);
        window->SetExportPathChooser([this](const QString& suggested) {
            const QString folder = files_.StartFolder();
            return ChooseExportPath(this, folder.isEmpty() ? suggested : folder + '/' + suggested);
        });
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        bool shown = true;
        viewFlags_[kind].Read(&shown);
        shown_[kind] = shown;
    }
    // The favourite window always starts hidden.
    shown_[kFavorite] = false;
    toggles_[kFavorite]->hide();
    for (int kind = 0; kind < kKindCount; ++kind) {
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

QString MainPanel::StatusText() const {
    return status_->text();
}

// The file name is what tells files apart: the middle of the path goes first.
void MainPanel::ShowPath() {
    const QString& path = files_.Path();
    path_->setText(path_->fontMetrics().elidedText(path, Qt::ElideMiddle, path_->width()));
    path_->setToolTip(path);
}

// ---------------------------------------------------------------- File commands

void MainPanel::OnUndo() {
    files_.Undo();
}

void MainPanel::OnRedo() {
    files_.Redo();
}

void MainPanel::OnOpen() {
    files_.Open();
}

bool MainPanel::OpenFile(const QString& path) {
    return files_.OpenFile(path);
}

void MainPanel::OnSave() {
    files_.Save();
}

void MainPanel::OnSaveAs() {
    files_.SaveAs();
}

void MainPanel::OnApplyOrder() {
    files_.ApplyOrder();
}

void MainPanel::OnRestoreOriginal() {
    files_.RestoreOriginal();
}

bool MainPanel::OfferSave(bool noContinues) {
    return files_.OfferSave(noContinues);
}

void MainPanel::GiveDatabaseToWindows() {
    DatabaseFile* file = files_.File();
    windows_.GiveDatabase(file ? &file->db() : nullptr);
}

// ---------------------------------------------------------------- messages

int MainPanel::Ask(const QString& text, int buttons, int defaultButton) {
    return AskUser(this, text, buttons, defaultButton);
}

void MainPanel::Tell(MessageLevel level, const QString& text) {
    TellUser(this, level, text);
}

bool MainPanel::OpenHandedFile(const QString& path) {
    if (!CommandsFree()) return false;
    // The second copy has its answer before any question is asked here.
    QTimer::singleShot(0, this, [this, path] {
        raise();
        activateWindow();
        if (!path.isEmpty() && CommandsFree()) files_.OpenRecent(path);
    });
    return true;
}

void MainPanel::OnPrint() {
    if (!File()) return;
    SheetOptionsDialog ask("Print", this);
    if (ask.exec() != QDialog::Accepted) return;
    ChannelSheetPreview preview(this, File()->db(), PathText(), ask.Options());
    preview.exec();
}

void MainPanel::OnExportPdf() {
    if (!File()) return;
    SheetOptionsDialog ask("Export PDF", this);
    if (ask.exec() != QDialog::Accepted) return;
    const QString path = files_.Choosers().saveFile("PDF (*.pdf)");
    if (!path.isEmpty())
        ExportSheetPdf(this, File()->db(), PathText(), ask.Options(), PdfPathFrom(path));
}

// ---------------------------------------------------------------- transfers

void MainPanel::CreateTransferController(const QString& runPort) {
    TransferHooks hooks;
    hooks.settings = [this] {
        return ConfigurationValues{modelSetting_, model_, flashType_, compressMode_, account_};
    };
    // A file is sent as the settings it was read with say.
    hooks.fileModel = [this] { return files_.Settings().model; };
    hooks.file = [this] { return files_.File(); };
    hooks.path = [this] { return files_.Path(); };
    hooks.setPath = [this](const QString& path) { files_.SetPath(path); };
    hooks.offerSave = [this](bool noContinues) { return files_.OfferSave(noContinues); };
    hooks.openFile = [this](const QString& path) { return files_.OpenFile(path); };
    hooks.chooseSaveFile = [this](const QString& filter) {
        return files_.Choosers().saveFile(filter);
    };
    hooks.chooseFolder = [this] { return files_.Choosers().folder(); };
    hooks.showTransferring = [this](bool transferring) { ShowTransferring(transferring); };
    hooks.ask = [this](const QString& text, int buttons, int defaultButton) {
        return Ask(text, buttons, defaultButton);
    };
    hooks.tell = [this](MessageLevel level, const QString& text) { Tell(level, text); };
    transfer_ = std::make_unique<TransferController>(
        this, TransferWidgets{progress_, stopButton_, wait_, status_}, std::move(hooks), runPort);
}

void MainPanel::ShowTransferring(bool transferring) {
    fileButton_->setVisible(!transferring);
    configButton_->setVisible(!transferring);
    for (int kind = 0; kind < kKindCount; ++kind)
        toggles_[kind]->setVisible(!transferring && kind != kFavorite);
    if (transferring) {
        for (int kind = 0; kind < kKindCount; ++kind) {
            shownBeforeTransfer_[kind] = shown_[kind];
            shown_[kind] = false;
            windows_[kind]->hide();
        }
        return;
    }
    GiveDatabaseToWindows();
    for (int kind = 0; kind < kKindCount; ++kind) {
        shown_[kind] = shownBeforeTransfer_[kind];
        const QSignalBlocker quiet(toggles_[kind]);
        toggles_[kind]->setChecked(shown_[kind]);
        windows_[kind]->setVisible(shown_[kind]);
    }
}

void MainPanel::OnWriteIntoReceiver() {
    transfer_->WriteIntoReceiver();
}

void MainPanel::OnReadFromReceiver() {
    transfer_->ReadFromReceiver();
}

void MainPanel::OnStop() {
    transfer_->Stop();
}

void MainPanel::RefreshStatus(const QString& text) {
    transfer_->RefreshStatus(text);
}

// ---------------------------------------------------------------- windows

void MainPanel::OnToggle(int kind, bool checked) {
    shown_[kind] = checked;
    windows_[kind]->setVisible(checked);
}

void MainPanel::OnWindowClosed(int kind) {
    if (kind < 0 || kind >= kKindCount) return;
    shown_[kind] = false;
    const QSignalBlocker quiet(toggles_[kind]);
    toggles_[kind]->setChecked(false);
}

// ---------------------------------------------------------------- dialogs

void MainPanel::OnConfig() {
    ConfigurationValues values{modelSetting_, model_, flashType_, compressMode_, account_};
    ConfigurationDialog dialog(this, &transfer_->Link(), File(), values);
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
    transfer_->HoldStatusChecks(true);
    passwordTimer_.stop();
    PasswordDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        account_ = kAccountAdministrator;
        RefreshStatus();
    }
    passwordPending_ = false;
    transfer_->HoldStatusChecks(false);
}

void MainPanel::OnAbout() {
    AboutDialog dialog(this);
    dialog.exec();
}

void MainPanel::OnHelp() {
#ifdef BRONDAVEL_HAVE_EPG_TEST
    if (!File()) return;
    EpgTestDialog dialog(this, model_, &File()->db());
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

void MainPanel::showEvent(QShowEvent* event) {
    MagneticDialog::showEvent(event);
    // The panel is a partner only while shown: its docks are set now.
    if (!placed_) windows_.RecomputeDocking();
    placed_ = true;
}

void MainPanel::OnResetLayout() {
    windows_.ResetLayout();
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
    if (transfer_->HandlingLink() || closed_) {
        event->ignore();
        return;
    }
    // Cancel goes back to the editor; a failed save keeps the panel open, so
    // the changes are not lost.
    if (!OfferSave(true)) {
        event->ignore();
        return;
    }
    transfer_->Shutdown();
    WriteBackSettings();
    closed_ = true;
    passwordTimer_.stop();
    for (ListWindow* window : windows_) window->hide();
    event->accept();
    emit finished();
}

void MainPanel::WriteBackSettings() {
    mainPos_.Write(pos());
    for (int kind = 0; kind < kKindCount; ++kind)
        viewFlags_[kind].Write(toggles_[kind]->isChecked());
}

}  // namespace brondavel::app
