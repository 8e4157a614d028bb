#include "app/logic/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace brondavel::app {

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return runtime;
    return "/tmp/brondavel-" + std::to_string(::getuid());
}

SingleInstanceLock::SingleInstanceLock(const std::string& folder) {
    ::mkdir(folder.c_str(), 0700);
    const std::string path = folder + "/brondavel.lock";
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        acquired_ = true;
        return;
    }
    int rc;
    do rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    acquired_ = rc == 0 || errno != EWOULDBLOCK;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

namespace {

constexpr const char* kSocketName = "/brondavel.socket";
constexpr size_t kMaxRequest = 4096 + 16;  // "OPEN " + a path + "\n"
constexpr int kReadBudgetMs = 500;         // a peer that stalls is dropped

bool SocketAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Reads up to the first "\n" within `budgetMs`; nothing when the peer is
// silent, ends early or sends too much.
std::optional<std::string> ReadLine(int fd, size_t limit, int budgetMs) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(budgetMs);
    while (line.size() <= limit) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        char buffer[512];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        line.append(buffer, static_cast<size_t>(n));
        if (const size_t end = line.find('\n'); end != std::string::npos) {
            line.resize(end);
            return line;
        }
    }
    return std::nullopt;
}

void SendAll(int fd, const std::string& text) {
    size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

std::string Absolute(const std::string& file) {
    if (file.empty() || file[0] == '/') return file;
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd)) return file;
    return std::string(cwd) + "/" + file;
}

}  // namespace

HandoverServer::HandoverServer(const std::string& folder) : path_(folder + kSocketName) {
    sockaddr_un address;
    if (!SocketAddress(path_, address)) return;
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path_.c_str(), 0600) != 0 || ::listen(fd_, 8) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

HandoverServer::~HandoverServer() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(path_.c_str());
}

void HandoverServer::Serve(const std::function<bool(const std::string&)>& take) {
    if (fd_ < 0) return;
    for (;;) {
        const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) {
            if (errno == EINTR) continue;
            return;  // none waiting
        }
        ucred credentials{};
        socklen_t size = sizeof credentials;
        const bool sameUser =
            ::getsockopt(peer, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
            credentials.uid == ::getuid();
        std::optional<std::string> line;
        if (sameUser) line = ReadLine(peer, kMaxRequest, kReadBudgetMs);
        if (line && line->rfind("OPEN ", 0) == 0 && line->find('\0') == std::string::npos) {
            const std::string path = line->substr(5);
            if (path.empty() || path[0] == '/') SendAll(peer, take(path) ? "OK\n" : "BUSY\n");
        }
        ::close(peer);
    }
}

std::string HandOverToRunningCopy(const std::string& folder, const std::string& file,
                                  int timeoutMs) {
    sockaddr_un address;
    if (!SocketAddress(folder + kSocketName, address))
        return "the runtime folder's path is too long for a socket";
    const std::string request = "OPEN " + Absolute(file) + "\n";
    if (request.size() > kMaxRequest) return "the file's path is too long";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return std::strerror(errno);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            SendAll(fd, request);
            const std::optional<std::string> answer = ReadLine(fd, 16, timeoutMs);
            ::close(fd);
            if (answer == "OK") return "";
            if (answer == "BUSY") return "the running copy is busy (a transfer or an open dialog)";
            return "the running copy did not answer";
        }
        ::close(fd);
        // A copy that is still starting has its lock but not yet its socket.
        ::usleep(100 * 1000);
    } while (std::chrono::steady_clock::now() < deadline);
    return "the running copy cannot be reached";
}

}  // namespace brondavel::app
