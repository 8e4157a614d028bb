// The File commands of the panel: the database file shown, read with the
// settings it fits, saved with them after a backup of the original, the
// recent files with their settings, restoring the original and taking the
// channel order of another file. Every command obeys the menu's greying.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/logic/file_menu_state.h"
#include "app/logic/file_settings.h"
#include "app/logic/recent_files.h"
#include "app/logic/session_backups.h"
#include "app/panel/path_dialogs.h"
#include "files/database_file.h"

class QMenu;
class QWidget;

namespace brondavel::app {

class ListWindowSet;

class FileCommands : public QObject {
    Q_OBJECT
  public:
    // `configured` gives the configuration's settings, for new reads;
    // `transferring` whether a receiver transfer runs.
    FileCommands(QWidget* parent, ListWindowSet& windows, std::function<FileSettings()> configured,
                 std::function<bool()> transferring);
    ~FileCommands() override;

    DatabaseFile* File() const { return file_.get(); }
    // The settings the shown database is read and written with.
    FileSettings Settings() const;
    // The path shown: the file's, or a folder a read goes into.
    const QString& Path() const { return path_; }
    void SetPath(const QString& path);
    // "Opened as model 0, SST 4M, no compression" when the file shown is read
    // otherwise than the configuration says; "" when it is not.
    const QString& Note() const { return note_; }
    // The folder the file dialogs start in.
    QString StartFolder() const;

    FileMenuState MenuState() const;
    const std::vector<std::string>& RecentPaths() const { return recent_.Paths(); }
    // The numbered recent files at the end of `menu`.
    void AddRecentItems(QMenu& menu);
    PathChoosers& Choosers() { return choosers_; }

    // Loads `path` as the current database (read with `preferred` when the
    // file fits them, the configuration's settings when not given); false
    // (with a message) when it cannot be read, leaving the current database.
    bool OpenFile(const QString& path, std::optional<FileSettings> preferred = std::nullopt);
    // Yes saves (and continues only when that worked); No continues when
    // `noContinues`; Cancel never does.
    bool OfferSave(bool noContinues);

    void Open();
    void Save();
    void SaveAs();
    void Undo();
    void Redo();
    void ApplyOrder();
    void RestoreOriginal();
    void OpenRecent(const QString& path);
    // Merge from file, save as the other generation, save a reference list.
    void AddDataCommands(QMenu& menu);
    // Gives the database up before the windows that show it go.
    void Release();

  signals:
    void pathChanged();
    void noteChanged();

  private:
    bool SaveTo(const QString& path);
    bool ConfirmReplacing(const QString& path);
    void Show(std::unique_ptr<DatabaseFile> file, const FileSettings& settings);
    void SetNote(const QString& note);
    void StepHistory(bool back);
    void ReadRecentFiles();
    void RememberFile(const QString& path);
    void StoreRecentFiles();

    QWidget* parent_;
    ListWindowSet& windows_;
    std::function<FileSettings()> configured_;
    std::function<bool()> transferring_;
    std::unique_ptr<DatabaseFile> file_;
    FileSettings settings_;
    QString path_;
    QString note_;
    // A file that fits no settings, opened empty: saving over it asks first.
    QString foreignPath_;
    SessionBackups backups_;
    RecentFiles recent_;
    std::map<std::string, FileSettings> recentSettings_;
    PathChoosers choosers_;
};

}  // namespace brondavel::app
