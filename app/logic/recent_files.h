// The files opened or saved last, newest first, each once.
#pragma once

#include <string>
#include <vector>

namespace brondavel::app {

class RecentFiles {
  public:
    static constexpr size_t kLimit = 8;

    RecentFiles() = default;
    // Takes stored paths, oldest last; blanks and repeats are dropped.
    explicit RecentFiles(const std::vector<std::string>& paths);

    // Puts `path` first, dropping its older place and the oldest beyond the
    // limit. False when it was first already: nothing changed.
    bool Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

  private:
    std::vector<std::string> paths_;
};

}  // namespace brondavel::app
