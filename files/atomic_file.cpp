#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace brondavel {

namespace {

// As the kernel's limit on links followed in one lookup.
constexpr int kMaxLinkHops = 40;

std::string Reason(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

bool WriteAll(int fd, const uint8_t* data, size_t size, int& err) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows the links that the last part of path names, so that the file they
// end at is the one replaced. A link to a name that does not exist yet gives
// that name. Sets `st` (st_mode 0 when nothing exists there).
bool FollowLinks(const std::string& path, std::string& target, struct stat& st, int& err) {
    target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                err = errno;
                return false;
            }
            st = {};
            return true;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer - 1);
        if (n < 0) {
            err = errno;
            return false;
        }
        const std::string next(buffer, static_cast<size_t>(n));
        target = next.front() == '/' ? next : DirectoryOf(target) + "/" + next;
    }
    err = ELOOP;
    return false;
}

// The "Umask:" line of /proc/self/status, or -1.
int UmaskFromProc() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        unsigned mask = 0;
        if (std::sscanf(line.c_str(), "Umask: %o", &mask) == 1) return static_cast<int>(mask);
    }
    return -1;
}

}  // namespace

// umask() can only be read by setting it, and setting it to 0 even briefly
// lets a file that another thread creates meanwhile (the link's thread
// receiving a file, say) come out world-writable. So the kernel's own record
// is read instead; where /proc is missing, a probe file created with mode 0666
// shows the mask by the bits the kernel took away.
mode_t CurrentUmask(const std::string& probeFolder) {
    const int fromProc = UmaskFromProc();
    if (fromProc >= 0) return static_cast<mode_t>(fromProc);
    std::string probe = probeFolder + "/.umask-probe-XXXXXX";
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0) return 022;
    struct stat st {};
    // mkostemp creates with 0600; reopen a fresh name with 0666 to see the mask.
    ::close(fd);
    ::unlink(probe.c_str());
    const int fresh = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fresh < 0) return 022;
    const bool known = ::fstat(fresh, &st) == 0;
    ::close(fresh);
    ::unlink(probe.c_str());
    return known ? static_cast<mode_t>(~st.st_mode & 0777) : 022;
}

bool AtomicFile::Fail(const std::string& what, int err, std::string& error) {
    Abandon();
    error = Reason(what, path_, err);
    return false;
}

bool AtomicFile::Open(const std::string& path, std::string& error) {
    Abandon();
    path_ = path;
    struct stat st {};
    int err = 0;
    if (!FollowLinks(path, target_, st, err)) return Fail("Cannot write", err, error);
    if (S_ISDIR(st.st_mode)) return Fail("Cannot write", EISDIR, error);
    if (S_ISSOCK(st.st_mode)) {
        error = "Cannot write \"" + path + "\": it is a socket.";
        return false;
    }
    if (st.st_mode != 0 && !S_ISREG(st.st_mode)) {
        // A device, FIFO or terminal takes the data as it comes.
        through_ = true;
        fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return Fail("Cannot open", errno, error);
        struct stat opened {};
        if (::fstat(fd_, &opened) != 0 || S_ISREG(opened.st_mode)) {
            return Fail("Cannot write", EAGAIN, error);  // replaced under our feet
        }
        return true;
    }
    temp_ = target_ + ".tmpXXXXXX";
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temp_.clear();
        return Fail("Cannot create a file beside", errno, error);
    }
    // The new file gets the permissions and owner of the one it replaces, or
    // the usual ones for a new file.
    mode_t mode;
    if (st.st_mode != 0) {
        mode = st.st_mode & 07777;
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            [[maybe_unused]] int ignored = ::fchown(fd_, st.st_uid, st.st_gid);
        }
    } else {
        mode = 0666 & ~CurrentUmask(DirectoryOf(target_));
    }
    if (::fchmod(fd_, mode) != 0) return Fail("Cannot write", errno, error);
    return true;
}

bool AtomicFile::Write(const uint8_t* data, size_t size, std::string& error) {
    if (fd_ < 0) return Fail("Cannot write", EBADF, error);
    int err = 0;
    if (!WriteAll(fd_, data, size, err)) return Fail("Cannot write", err, error);
    return true;
}

bool AtomicFile::Commit(std::string& error) {
    if (fd_ < 0) return Fail("Cannot write", EBADF, error);
    // Pipes and terminals cannot be synced; a device that can reports its errors.
    if (::fsync(fd_) != 0 && !(through_ && (errno == EINVAL || errno == EROFS))) {
        return Fail("Cannot write", errno, error);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail("Cannot write", errno, error);
    if (through_) return true;
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return Fail("Cannot write", errno, error);
    temp_.clear();
    // Make the rename itself durable.
    const int dir = ::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    through_ = false;
}

bool WriteFileAtomically(const std::string& path,
                         const std::vector<std::span<const uint8_t>>& parts, std::string& error) {
    AtomicFile file;
    if (!file.Open(path, error)) return false;
    for (const auto& part : parts) {
        if (!file.Write(part.data(), part.size(), error)) return false;
    }
    return file.Commit(error);
}

}  // namespace brondavel
