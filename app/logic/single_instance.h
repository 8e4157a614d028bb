// One running copy per user: an flock on a file in the runtime folder. The
// kernel drops the lock when the holder ends, so a crashed copy never blocks
// the next start.
#pragma once

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

}  // namespace brondavel::app
