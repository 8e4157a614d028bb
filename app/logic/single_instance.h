// One running copy per user: an flock on a file in the runtime folder. The
// kernel drops the lock when the holder ends, so a crashed copy never blocks
// the next start.
#pragma once

#include <functional>
#include <string>

namespace brondavel::app {

// XDG_RUNTIME_DIR, or a private folder under /tmp when it is not set.
std::string RuntimeFolder();

class SingleInstanceLock {
  public:
    // Takes the lock on `folder`/brondavel.lock, creating the folder (0700).
    explicit SingleInstanceLock(const std::string& folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False when another copy holds the lock. A lock file that cannot be
    // made at all does not keep the program from running.
    bool Acquired() const { return acquired_; }

  private:
    int fd_ = -1;
    bool acquired_ = false;
};

// The socket beside the lock, held by the running copy: a second copy hands
// it the file it was started with instead of ending silently. Only the
// lock's holder makes one, so a socket left by a crashed copy is replaced.
class HandoverServer {
  public:
    explicit HandoverServer(const std::string& folder);
    ~HandoverServer();
    HandoverServer(const HandoverServer&) = delete;
    HandoverServer& operator=(const HandoverServer&) = delete;

    // The listening socket to watch for readability; -1 when none could be made.
    int Fd() const { return fd_; }
    // Serves every request waiting: `take` gets the absolute path handed over
    // ("" when the second copy had no file) and says whether it was taken;
    // the second copy hears the answer. Requests of other users and malformed
    // ones are dropped.
    void Serve(const std::function<bool(const std::string& path)>& take);

  private:
    int fd_ = -1;
    std::string path_;
};

// Hands `file` (made absolute here) to the copy holding the lock in `folder`,
// retrying for a copy that is still starting. Returns "" when it took the
// file, else why not.
std::string HandOverToRunningCopy(const std::string& folder, const std::string& file,
                                  int timeoutMs = 3000);

}  // namespace brondavel::app
