#include "app/logic/session_backups.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "files/atomic_file.h"
#include "files/read_file.h"

namespace brondavel::app {

namespace {

// The path with its links and dots resolved; the path itself for a file that
// does not exist yet.
std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool CopyFile(const std::string& from, const std::string& to, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(from, bytes, error)) return false;
    return WriteFileAtomically(to, {bytes}, error);
}

}  // namespace

bool SessionBackups::BeforeSave(const std::string& path, std::string& error) {
    const std::string key = RealPath(path);
    if (backups_.contains(key)) return true;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            error = "cannot look at \"" + path + "\": " + std::strerror(errno);
            return false;
        }
        backups_[key] = "";  // a new file: it had no original
        return true;
    }
    // Devices and pipes hold no contents to keep.
    if (!S_ISREG(info.st_mode)) {
        backups_[key] = "";
        return true;
    }
    const std::string backup = BackupPathOf(path);
    std::string why;
    if (!CopyFile(path, backup, why)) {
        error = "cannot keep the original as \"" + backup + "\": " + why;
        return false;
    }
    backups_[key] = backup;
    return true;
}

std::string SessionBackups::BackupOf(const std::string& path) const {
    const auto found = backups_.find(RealPath(path));
    return found == backups_.end() ? std::string() : found->second;
}

bool SessionBackups::RestoreOriginal(const std::string& path, std::string& error) const {
    const std::string backup = BackupOf(path);
    if (backup.empty()) {
        error = "no original of \"" + path + "\" was kept in this session";
        return false;
    }
    return CopyFile(backup, path, error);
}

}  // namespace brondavel::app
