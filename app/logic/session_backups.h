// The original of every file the user saves over: the first save over an
// existing file in a session keeps what it held as FILE.bak, and later saves
// in that session leave the copy alone, so it stays the file as it was
// before this session changed it.
#pragma once

#include <map>
#include <string>

namespace brondavel::app {

class SessionBackups {
  public:
    static std::string BackupPathOf(const std::string& path) { return path + ".bak"; }

    // Call before saving over `path`. On the session's first save of the
    // file, an existing regular file is copied to its backup path. False, with
    // `error`, when that copy failed: the save must not go on.
    bool BeforeSave(const std::string& path, std::string& error);
    // The backup this session made of `path`, or "" when there is none.
    std::string BackupOf(const std::string& path) const;
    // Puts the backup's bytes back over `path`. False, with `error`, when
    // there is no backup or it cannot be copied.
    bool RestoreOriginal(const std::string& path, std::string& error) const;

  private:
    // Keyed by the file's real path, so two names of one file share a backup;
    // "" for a file saved this session that had no original.
    std::map<std::string, std::string> backups_;
};

}  // namespace brondavel::app
