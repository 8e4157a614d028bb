// Writing a file so that the previous one survives any failure: the data goes
// to a temporary file beside the target, is flushed to disk and then renamed
// over it. Only a regular file (or a name that does not exist yet) is replaced
// that way. A symbolic link is followed and the file it names is replaced, so
// the link stays. A device, FIFO or terminal is written through directly, the
// way `> /dev/stdout` works, with every write checked; it is never replaced.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brondavel {

// Writes the parts one after another. Returns true on success; on failure
// `error` says why and the target is untouched (a device may have taken part
// of the data).
bool WriteFileAtomically(const std::string& path,
                         const std::vector<std::span<const uint8_t>>& parts, std::string& error);

// The same, for data that arrives in pieces: Open, Write as often as needed,
// then Commit. Without a Commit (a failure, a stop, destruction) the target
// stays as it was and no temporary file is left behind.
class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile() { Abandon(); }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open(const std::string& path, std::string& error);
    bool Write(const uint8_t* data, size_t size, std::string& error);
    bool Commit(std::string& error);
    // Drops what was written (a device keeps what it took).
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    // True when the target is not a regular file and is written directly.
    bool WritesThrough() const { return through_; }
    // The file that is written: the path with its links followed.
    const std::string& Target() const { return target_; }

  private:
    bool Fail(const std::string& what, int err, std::string& error);

    int fd_ = -1;
    bool through_ = false;
    std::string path_;
    std::string target_;
    std::string temp_;
};

// The process's file mode creation mask, read without changing it.
mode_t CurrentUmask(const std::string& probeFolder = ".");

}  // namespace brondavel
