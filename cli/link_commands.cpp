// send and receive: one transfer with the receiver over a serial device.
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "files/read_file.h"
#include "link/receiver_link.h"

namespace brondavel::cli {

namespace {

using namespace brondavel::link;

// The port number the CLI maps its --port device to.
constexpr int kCliPort = 1;

struct TransferOptions {
    std::string port;
    int mode = 2;
    std::string path;
    int poll_divisor = 1;
};

class Observer : public LinkObserver {
  public:
    void OnLinkMessage(uint32_t message, uintptr_t wparam, uintptr_t lparam) override {
        switch (message) {
            case kMsgResult:
                result = static_cast<uint16_t>(wparam);
                have_result = true;
                break;
            case kMsgSendProgress:
            case kMsgReceiveProgress:
                if (wparam != 0 || lparam != 0) {
                    done = wparam;
                    total = lparam;
                }
                break;
            case kMsgReceiveFinished:
                finished = true;
                break;
            default:
                break;
        }
    }
    std::atomic<uint16_t> result{0};
    std::atomic<bool> have_result{false};
    std::atomic<bool> finished{false};
    std::atomic<uint64_t> done{0};
    std::atomic<uint64_t> total{0};
};

void DrawProgress(const Observer& o, bool final_line) {
    uint64_t total = o.total, done = o.done;
    int percent = total == 0 ? 0 : static_cast<int>(std::min<uint64_t>(100, done * 100 / total));
    char bar[41];
    for (int i = 0; i < 40; ++i) bar[i] = i < percent * 40 / 100 ? '#' : '.';
    bar[40] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%% %llu/%llu", bar, percent,
                 static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    if (final_line) std::fputc('\n', stderr);
    std::fflush(stderr);
}

// Why the link could not open the port, found by trying what it tries.
std::string PortFailure(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return ErrnoText();
    std::string why = "the line cannot be set up";
    if (!::isatty(fd))
        why = "Not a tty";
    else if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        why = "in use by another program";
    ::close(fd);
    return why;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Why a received file cannot be stored at `path`, or "" when it can.
// In mode 2 `written` is the temporary file in the folder.
std::string ReceiveTargetProblem(const std::string& path, const std::string& written, int mode) {
    const std::string folder = mode == 2 ? path : FolderOf(path);
    if (mode == 2 && !IsFolder(path)) return "not a folder: " + path;
    struct stat st;
    // Opening a FIFO there would wait for a reader with Ctrl-C taken over.
    if (!written.empty() && ::stat(written.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return "\"" + written + "\" is a folder; give a file name";
        if (!S_ISREG(st.st_mode))
            return "\"" + written + "\" is not a regular file; it cannot take a received file";
    }
    if (::access(folder.c_str(), W_OK) != 0)
        return "cannot write into \"" + folder + "\": " + ErrnoText();
    return "";
}

// A file that is sent must be read twice (its size first); a pipe or FIFO
// is read once, here, into a private file that is removed afterwards.
class SendSource {
  public:
    ~SendSource() {
        if (!temp_.empty()) ::unlink(temp_.c_str());
    }
    // False after a message when the input cannot be read.
    bool Prepare(const std::string& path) {
        path_ = path;
        struct stat st;
        if (::stat(path.c_str(), &st) != 0)
            return Refuse("cannot open " + path + ": " + ErrnoText());
        if (S_ISDIR(st.st_mode)) return Refuse("\"" + path + "\" is a folder, not a file");
        if (S_ISREG(st.st_mode)) return true;
        std::vector<uint8_t> data;
        std::string error;
        if (!ReadFile(path, data, error, kMaxSendBytes)) return Refuse(error);
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/brondavel-send-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) return Refuse("cannot make a temporary file: " + ErrnoText());
        temp_ = pattern;
        const bool written =
            ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
        ::close(fd);
        if (!written) return Refuse("cannot write " + temp_ + ": " + ErrnoText());
        path_ = temp_;
        return true;
    }
    const std::string& path() const { return path_; }

  private:
    // Twice the largest receiver flash: more is no receiver file.
    static constexpr size_t kMaxSendBytes = 8u << 20;
    std::string path_, temp_;
};

int RunTransfer(const TransferOptions& t, bool send) {
    // Everything that may wait on a file happens before the signals are
    // taken over, so Ctrl-C ends it.
    SendSource source;
    if (send && !source.Prepare(t.path)) return 1;
    // A batch read goes into a file of its own until the receiver names it:
    // a file of the user's in that folder is never written or removed.
    std::string temp;
    if (!send) {
        const std::string problem = ReceiveTargetProblem(t.path, t.mode == 2 ? "" : t.path, t.mode);
        if (!problem.empty()) return Fail(problem);
        if (t.mode == 2) {
            temp = t.path + "/.brondavel-receive-XXXXXX";
            const int fd = ::mkstemp(temp.data());
            if (fd < 0) return Fail("cannot receive into \"" + t.path + "\": " + ErrnoText());
            ::close(fd);
        }
    }
    // Ctrl-C is taken by this thread alone, so the stop runs through the link.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Observer observer;
    ReceiverLink link(&observer);
    link.SetPollDivisor(t.poll_divisor);
    AssignPortDevice(kCliPort, t.port);
    link.Port().SetPortNumber(kCliPort);
    if (!link.Start()) {
        if (!temp.empty()) ::unlink(temp.c_str());
        return Fail("cannot open port " + t.port + ": " + PortFailure(t.port));
    }

    const std::string file = send ? source.path() : t.mode == 2 ? temp : t.path;
    bool started = send ? link.StartSend(file, t.mode) : link.StartReceive(file, t.mode);
    if (!started) {
        link.Stop();
        if (!temp.empty()) ::unlink(temp.c_str());
        return Fail("Not Find - DownLoad File!! " + (send ? t.path : file) +
                    (send ? ": it cannot be read" : ": it cannot be written"));
    }
    const bool tty = ::isatty(STDERR_FILENO);
    bool stopped = false;
    timespec tick{0, 100 * 1000 * 1000};
    while (send ? link.Sending() : link.Receiving()) {
        if (sigtimedwait(&signals, nullptr, &tick) > 0 && !stopped) {
            stopped = true;
            if (send) {
                link.StopSend();
            } else {
                link.StopReceive();
            }
        }
        if (tty) DrawProgress(observer, false);
    }
    // Joins a thread that ended by itself; nothing is closed twice.
    if (send) {
        link.StopSend();
    } else {
        link.StopReceive();
    }
    link.Stop();
    if (tty) DrawProgress(observer, true);

    const uint16_t code = observer.result;
    if (!send && t.mode == 2 && (code != kResultOk || !observer.finished)) ::unlink(temp.c_str());
    if (stopped) {
        Fail("stopped");
        return kExitInterrupted;
    }
    if (!observer.have_result || code != kResultOk) {
        std::string text = ResultText(code, !send);
        if (text.empty()) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%04X", code);
            text = std::string("transfer failed (") + hex + ")";
        }
        return Fail(text);
    }
    if (!send && t.mode == 2) {
        std::string name = link.ReceivedName();
        std::string target = FreeTargetName(t.path, name);
        if (target.empty()) return Fail("no free name for " + name + "; kept " + temp);
        std::string target_path = t.path + "/" + target;
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target_path.c_str(), RENAME_NOREPLACE) !=
            0) {
            return Fail("cannot store " + target_path + "; kept " + temp);
        }
        std::printf("%s\n", target_path.c_str());
    }
    std::printf("%s\n", ResultText(kResultOk, !send));
    return 0;
}

void AddTransfer(CLI::App& app, CommonOptions& common, bool send) {
    auto options = std::make_shared<TransferOptions>();
    auto* sub =
        app.add_subcommand(send ? "send" : "receive", send ? "write a file into the receiver"
                                                           : "read a file from the receiver");
    AddCommonOptions(*sub, common);
    sub->add_option("--port", options->port, "serial device, e.g. /dev/ttyUSB0")->required();
    sub->add_option("--mode", options->mode, "1: plain blocks (models 0, 1), 2: batch (model 2)")
        ->required()
        ->check(CLI::IsMember({1, 2}));
    sub->add_option(
           "path", options->path,
           send ? "file to send" : "mode 2: folder that takes the received file; mode 1: the file")
        ->required();
    sub->add_option("--poll-divisor", options->poll_divisor,
                    "divide every time-out by this (simulations only)")
        ->group("")
        ->check(CLI::Range(1, 100000));
    sub->callback([options, send] { ExitCode() = RunTransfer(*options, send); });
}

}  // namespace

void RegisterLinkCommands(CLI::App& app, CommonOptions& common) {
    AddTransfer(app, common, true);
    AddTransfer(app, common, false);
}

}  // namespace brondavel::cli
