#include "app/logic/recent_files.h"

#include <algorithm>

namespace brondavel::app {

RecentFiles::RecentFiles(const std::vector<std::string>& paths) {
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        if (!it->empty()) Add(*it);
}

bool RecentFiles::Add(const std::string& path) {
    if (path.empty() || (!paths_.empty() && paths_.front() == path)) return false;
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kLimit) paths_.resize(kLimit);
    return true;
}

void RecentFiles::Remove(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

}  // namespace brondavel::app
