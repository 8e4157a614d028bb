#include "app/panel/file_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMessageBox>

#include "app/data/data_commands.h"
#include "app/logic/database_opening.h"
#include "app/logic/model_files.h"
#include "app/panel/list_window_set.h"
#include "app/panel/message_boxes.h"
#include "app/settings/registry_value.h"
#include "app/settings/settings_paths.h"
#include "files/reference_list.h"
#include "model/reference_order.h"

namespace brondavel::app {

namespace {

// A reference order may come from a file of either generation.
const char* const kReferenceFilter =
    "Database files (*.zcs *.ZCS *.bin *.BIN *.lh5 *.LH5);;All files (*)";
constexpr int kRecentTextWidth = 420;  // pixels of a recent file's menu text

RegistryValue RecentValue(const char* name, int index) {
    return RegistryValue(RegistryValue::kText, kRegistryKeyPath,
                         QString("%1%2").arg(name).arg(index + 1));
}

QString Label(const FileSettings& settings) {
    return QString::fromStdString(SettingsLabel(settings));
}

bool SameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() &&
           QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

FileCommands::FileCommands(QWidget* parent, ListWindowSet& windows,
                           std::function<FileSettings()> configured,
                           std::function<bool()> transferring)
    : QObject(parent),
      parent_(parent),
      windows_(windows),
      configured_(std::move(configured)),
      transferring_(std::move(transferring)) {
    choosers_ = DialogPathChoosers(parent, [this] { return StartFolder(); });
    ReadRecentFiles();
}

FileCommands::~FileCommands() = default;

FileSettings FileCommands::Settings() const {
    return file_ ? settings_ : configured_();
}

void FileCommands::SetPath(const QString& path) {
    if (path == path_) return;
    path_ = path;
    emit pathChanged();
}

void FileCommands::SetNote(const QString& note) {
    if (note == note_) return;
    note_ = note;
    emit noteChanged();
}

QString FileCommands::StartFolder() const {
    if (path_.isEmpty()) return QString();
    const QFileInfo info(path_);
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

FileMenuState FileCommands::MenuState() const {
    FileMenuInputs in;
    in.loaded = file_ != nullptr;
    in.transferring = transferring_();
    if (file_) {
        DatabaseEngine& db = file_->db();
        in.modified = db.modified;
        in.canUndo = !db.UndoLabel().empty();
        in.canRedo = !db.RedoLabel().empty();
        in.hasBackup = !backups_.BackupOf(path_.toStdString()).empty();
    }
    return FileMenuStateOf(in);
}

void FileCommands::AddRecentItems(QMenu& menu) {
    if (recent_.Paths().empty()) return;
    menu.addSeparator();
    const QFontMetrics metrics(menu.font());
    int number = 0;
    for (const std::string& stored : recent_.Paths()) {
        const QString path = QString::fromStdString(stored);
        QString shown = metrics.elidedText(path, Qt::ElideMiddle, kRecentTextWidth);
        // An "&" of the path is a letter, not the item's shortcut.
        shown.replace('&', "&&");
        ++number;
        QAction* action = menu.addAction(QString("&%1 %2").arg(number).arg(shown));
        action->setObjectName(QString("recentFile%1").arg(number));
        action->setData(path);
        action->setToolTip(path);
        action->setEnabled(MenuState().open);
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
}

// ---------------------------------------------------------------- opening

bool FileCommands::OpenFile(const QString& path, std::optional<FileSettings> preferred) {
    const FileSettings configured = configured_();
    OpenedDatabase opened = OpenFittingDatabase(path.toStdString(), preferred.value_or(configured));
    if (!opened.file) {
        TellUser(parent_, MessageLevel::kError, FailureText("Cannot open", path, opened.error));
        return false;
    }
    const bool fitsNothing = opened.fitsNothing;
    Show(std::move(opened.file), opened.settings);
    SetPath(path);
    RememberFile(path);
    SetNote(ReadsAlike(opened.settings, configured) || fitsNothing
                ? QString()
                : "Opened as " + Label(opened.settings));
    if (fitsNothing) {
        foreignPath_ = path;
        TellUser(parent_, MessageLevel::kError,
                 QString("\"%1\" was opened as an empty database:\n%2.")
                     .arg(path, QString::fromStdString(opened.error)));
        return true;
    }
    if (SameFile(foreignPath_, path)) foreignPath_.clear();
    if (!file_->loadWarnings().empty()) {
        QString text = QString("\"%1\" was damaged and has been repaired:").arg(path);
        for (const std::string& warning : file_->loadWarnings())
            text += "\n" + QString::fromStdString(warning);
        TellUser(parent_, MessageLevel::kMessage, text);
    }
    return true;
}

void FileCommands::Show(std::unique_ptr<DatabaseFile> file, const FileSettings& settings) {
    std::unique_ptr<DatabaseFile> previous = std::move(file_);
    file_ = std::move(file);
    settings_ = settings;
    windows_.GiveDatabase(&file_->db());
}

void FileCommands::Release() {
    file_.reset();
}

bool FileCommands::OfferSave(bool noContinues) {
    if (!file_ || !file_->db().modified) return true;
    const int answer = AskUser(parent_, "Save change to File ?",
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) return SaveTo(path_);
    return answer == QMessageBox::No && noContinues;
}

void FileCommands::Open() {
    if (!MenuState().open || !OfferSave(true)) return;
    const QString path =
        choosers_.openFile(QString::fromStdString(FileFilterFor(configured_().model)));
    if (!path.isEmpty()) OpenFile(path);
}

void FileCommands::OpenRecent(const QString& path) {
    if (!MenuState().open || !OfferSave(true)) return;
    if (!QFileInfo::exists(path)) {
        TellUser(parent_, MessageLevel::kError,
                 QString("\"%1\" no longer exists; it is taken off the recent files.").arg(path));
        recent_.Remove(path.toStdString());
        StoreRecentFiles();
        return;
    }
    const auto remembered = recentSettings_.find(path.toStdString());
    OpenFile(path, remembered == recentSettings_.end()
                       ? std::nullopt
                       : std::optional<FileSettings>(remembered->second));
}

// ---------------------------------------------------------------- saving

bool FileCommands::ConfirmReplacing(const QString& path) {
    QString found;
    if (SameFile(foreignPath_, path)) {
        found = "is no database of any receiver setting";
    } else if (const std::optional<FileSettings> other =
                   OtherSettingsOf(path.toStdString(), settings_)) {
        found = "holds a database of " + Label(*other);
    } else {
        return true;
    }
    const int answer = AskUser(parent_,
                               QString("\"%1\" %2.\nReplace it with the database shown, "
                                       "a database of %3?")
                                   .arg(path, found, Label(settings_)),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool FileCommands::SaveTo(const QString& path) {
    if (!file_ || path.isEmpty() || !ConfirmReplacing(path)) return false;
    std::string backupError;
    if (!backups_.BeforeSave(path.toStdString(), backupError)) {
        TellUser(parent_, MessageLevel::kError,
                 FailureText("Cannot save", path, backupError) + "\nThe file was left as it was.");
        return false;
    }
    if (!file_->Save(path.toStdString())) {
        TellUser(parent_, MessageLevel::kError,
                 FailureText("Cannot save", path, file_->lastError()));
        return false;
    }
    RememberFile(path);
    if (SameFile(foreignPath_, path)) foreignPath_.clear();
    return true;
}

void FileCommands::Save() {
    if (MenuState().save) SaveTo(path_);
}

void FileCommands::SaveAs() {
    if (!MenuState().saveAs) return;
    const int model = settings_.model;
    QString path = choosers_.saveFile(QString::fromStdString(FileFilterFor(model)));
    if (path.isEmpty()) return;
    path = QString::fromStdString(
        WithDefaultExtension(path.toStdString(), DefaultExtensionFor(model)));
    if (SaveTo(path)) SetPath(path);
}

// ---------------------------------------------------------------- editing

void FileCommands::Undo() {
    StepHistory(true);
}

void FileCommands::Redo() {
    StepHistory(false);
}

void FileCommands::StepHistory(bool back) {
    const FileMenuState state = MenuState();
    if (back ? state.undo : state.redo) windows_.StepHistory(file_->db(), back);
}

void FileCommands::ApplyOrder() {
    if (!MenuState().applyOrder) return;
    const QString path = choosers_.openFile(kReferenceFilter);
    if (path.isEmpty()) return;
    if (LooksLikeReferenceList(path.toStdString())) {
        if (ApplyTextList(parent_, file_->db(), path)) {
            windows_.RefreshAll();
            windows_.CommitLists();
        }
        return;
    }
    OpenedDatabase reference = OpenFittingDatabase(path.toStdString(), settings_);
    if (!reference.file || reference.fitsNothing) {
        TellUser(parent_, MessageLevel::kError, FailureText("Cannot read", path, reference.error));
        return;
    }
    const int answer =
        AskUser(parent_, QString("Take the favourite groups of \"%1\" as well?").arg(path),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes && answer != QMessageBox::No) return;
    const ReferenceOrderResult result =
        ApplyReferenceOrder(file_->db(), reference.file->db(), answer == QMessageBox::Yes);
    windows_.RefreshAll();
    windows_.CommitLists();
    TellUser(parent_, MessageLevel::kSuccess,
             QString("The channels took the order of \"%1\":\n"
                     "%2 matched by satellite, frequency, polarisation and service id,\n"
                     "%3 matched by name,\n%4 not found, kept after the others in their order.")
                 .arg(path)
                 .arg(result.byKey)
                 .arg(result.byName)
                 .arg(result.unmatched));
}

void FileCommands::RestoreOriginal() {
    if (!MenuState().restore) return;
    const QString path = path_;
    const QString backup = QString::fromStdString(backups_.BackupOf(path.toStdString()));
    QString question = QString(
                           "Put back \"%1\" as it was before this session saved over it "
                           "(kept in \"%2\")?\nWhat was saved since is lost")
                           .arg(path, backup);
    question += file_->db().modified ? ", and so are the changes not saved." : ".";
    if (AskUser(parent_, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) return;
    std::string error;
    if (!backups_.RestoreOriginal(path.toStdString(), error)) {
        TellUser(parent_, MessageLevel::kError, FailureText("Cannot restore", path, error));
        return;
    }
    OpenFile(path, settings_);
}

// ---------------------------------------------------------------- recent files

void FileCommands::ReadRecentFiles() {
    std::vector<std::string> paths;
    for (int i = 0; i < static_cast<int>(RecentFiles::kLimit); ++i) {
        QString path;
        if (!RecentValue("RECENT_FILE", i).Read(&path) || path.isEmpty()) continue;
        paths.push_back(path.toStdString());
        QString settings;
        if (!RecentValue("RECENT_SETTINGS", i).Read(&settings)) continue;
        if (const auto decoded = DecodeSettings(settings.toStdString()))
            recentSettings_[path.toStdString()] = *decoded;
    }
    recent_ = RecentFiles(paths);
}

void FileCommands::RememberFile(const QString& path) {
    const std::string absolute = QFileInfo(path).absoluteFilePath().toStdString();
    const auto known = recentSettings_.find(absolute);
    const bool settingsChanged = known == recentSettings_.end() || known->second != settings_;
    recentSettings_[absolute] = settings_;
    // Saving the file shown again changes nothing worth a settings write.
    if (recent_.Add(absolute) || settingsChanged) StoreRecentFiles();
}

void FileCommands::StoreRecentFiles() {
    const std::vector<std::string>& paths = recent_.Paths();
    for (int i = 0; i < static_cast<int>(RecentFiles::kLimit); ++i) {
        const bool used = i < static_cast<int>(paths.size());
        const auto settings = used ? recentSettings_.find(paths[i]) : recentSettings_.end();
        RecentValue("RECENT_FILE", i).Write(used ? QString::fromStdString(paths[i]) : QString());
        RecentValue("RECENT_SETTINGS", i)
            .Write(settings != recentSettings_.end()
                       ? QString::fromStdString(EncodeSettings(settings->second))
                       : QString());
    }
}

// Merge, convert and reference lists: the work is in app/data.
void FileCommands::AddDataCommands(QMenu& menu) {
    const bool enabled = MenuState().applyOrder;
    auto command = [&](const char* text, const char* name, std::function<void()> run) {
        QAction* action = menu.addAction(text, this, [this, run] {
            if (MenuState().applyOrder) run();
        });
        action->setObjectName(name);
        action->setEnabled(enabled);
    };
    command("Merge from file...", "menuMerge", [this] {
        const QString path = choosers_.openFile(kReferenceFilter);
        if (!path.isEmpty() && MergeFromFile(parent_, file_->db(), path)) {
            windows_.RefreshAll();
            windows_.CommitLists();
        }
    });
    command("Save as other generation...", "menuSaveOtherGeneration", [this] {
        const QString path = choosers_.saveFile(kReferenceFilter);
        if (!path.isEmpty())
            SaveAsOtherGeneration(parent_, file_->db(), path, settings_.model == 2 ? 0 : 2);
    });
    command("Save reference list...", "menuSaveReferenceList", [this] {
        const std::optional<int> kind = AskReferenceKind(parent_);
        if (!kind) return;
        const QString path = choosers_.saveFile("Channel lists (*.txt)");
        if (!path.isEmpty()) SaveReferenceList(parent_, file_->db(), path, *kind);
    });
}

}  // namespace brondavel::app
