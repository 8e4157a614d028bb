// Reading files into memory. Inputs may be regular files or streams (pipes,
// FIFOs, `<(...)`): everything is read once, front to back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace brondavel {

// Reads a whole file (at most maxBytes; the rest of a longer regular file is
// left unread). False with `error` set when it cannot be read, or when a
// stream holds more than maxBytes.
bool ReadFile(const std::string& path, std::vector<uint8_t>& data, std::string& error,
              size_t maxBytes = SIZE_MAX);

// An input opened for reading from the front. Opening a FIFO waits for its
// writer; nothing blocks signals, so Ctrl-C still ends the wait.
class InputFile {
  public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // False with `error` set when the path cannot be opened.
    bool Open(const std::string& path, std::string& error);
    // Appends up to `count` more bytes to `data`; fewer at the end of the
    // input. False with `error` set on a read error.
    bool ReadMore(size_t count, std::vector<uint8_t>& data, std::string& error);
    // True when the input ended before the last ReadMore had all it asked for.
    bool AtEnd() const { return atEnd_; }
    // True for pipes, FIFOs and devices: their size is known only once read.
    bool IsStream() const { return stream_; }
    // The size of a regular file (0 for a stream).
    uint64_t Size() const { return size_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool stream_ = false, atEnd_ = false;
    uint64_t size_ = 0;
};

// The bytes of an input and its size (a regular file's size may exceed what
// was read; a stream's size is what it held).
struct InputBytes {
    std::vector<uint8_t> data;
    uint64_t size = 0;
};

// Reads at most maxBytes of `path`. A stream holding more is refused with
// `error` naming the limit; a longer regular file is read only in part.
bool ReadInput(const std::string& path, InputBytes& input, std::string& error, size_t maxBytes);

}  // namespace brondavel
