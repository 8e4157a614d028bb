#include "files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace brondavel {

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Open(const std::string& path, std::string& error) {
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        error = "Cannot open \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        error = "Cannot read \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = "Cannot read \"" + path + "\": it is a folder";
        return false;
    }
    stream_ = !S_ISREG(st.st_mode);
    size_ = stream_ ? 0 : static_cast<uint64_t>(st.st_size);
    return true;
}

bool InputFile::ReadMore(size_t count, std::vector<uint8_t>& data, std::string& error) {
    uint8_t buffer[65536];
    while (count > 0) {
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count));
        if (n < 0) {
            if (errno == EINTR) continue;
            error = "Cannot read \"" + path_ + "\": " + std::strerror(errno);
            return false;
        }
        if (n == 0) {
            atEnd_ = true;
            break;
        }
        data.insert(data.end(), buffer, buffer + n);
        count -= static_cast<size_t>(n);
    }
    return true;
}

bool ReadInput(const std::string& path, InputBytes& input, std::string& error, size_t maxBytes) {
    input = {};
    InputFile file;
    if (!file.Open(path, error)) return false;
    if (!file.IsStream()) {
        input.size = file.Size();
        input.data.reserve(std::min<uint64_t>(input.size, maxBytes));
        return file.ReadMore(maxBytes, input.data, error);
    }
    // One byte more than allowed tells a stream that is too long.
    const size_t ask = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
    if (!file.ReadMore(ask, input.data, error)) return false;
    if (input.data.size() > maxBytes) {
        error = "\"" + path + "\" holds more than " + std::to_string(maxBytes) +
                " bytes, more than is read from it";
        input.data.clear();
        return false;
    }
    input.size = input.data.size();
    return true;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& data, std::string& error,
              size_t maxBytes) {
    InputBytes input;
    const bool read = ReadInput(path, input, error, maxBytes);
    data = std::move(input.data);
    return read;
}

}  // namespace brondavel
