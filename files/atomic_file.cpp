#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace brondavel {

namespace {

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

}  // namespace

bool WriteFileAtomically(const std::string& path,
                         const std::vector<std::span<const uint8_t>>& parts, std::string& error) {
    std::string temp = path + ".tmpXXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = Reason("Cannot create a file beside", path, errno);
        return false;
    }
    // The new file gets the permissions of the one it replaces, or the usual
    // ones for a new file.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int err = 0;
    bool ok = ::fchmod(fd, mode) == 0 || (err = errno, false);
    for (const auto& part : parts) {
        if (!ok) break;
        ok = WriteAll(fd, part.data(), part.size(), err);
    }
    if (ok && ::fsync(fd) != 0) ok = (err = errno, false);
    if (::close(fd) != 0 && ok) ok = (err = errno, false);
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = (err = errno, false);
    if (!ok) {
        ::unlink(temp.c_str());
        error = Reason("Cannot write", path, err);
        return false;
    }
    // Make the rename itself durable.
    const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& data, std::string& error,
              size_t maxBytes) {
    data.clear();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        error = Reason("Cannot open", path, errno);
        return false;
    }
    uint8_t buffer[65536];
    while (data.size() < maxBytes) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - data.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            error = Reason("Cannot read", path, errno);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        data.insert(data.end(), buffer, buffer + n);
    }
    ::close(fd);
    return true;
}

}  // namespace brondavel
