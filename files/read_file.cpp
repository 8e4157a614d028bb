#include "files/read_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace brondavel {

bool ReadFile(const std::string& path, std::vector<uint8_t>& data, std::string& error,
              size_t maxBytes) {
    data.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "Cannot open \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    uint8_t buffer[65536];
    while (data.size() < maxBytes) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - data.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            error = "Cannot read \"" + path + "\": " + std::strerror(errno);
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
