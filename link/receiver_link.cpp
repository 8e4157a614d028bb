#include "link/receiver_link.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <fstream>
#include <future>
#include <map>
#include <sstream>
#include <system_error>

namespace brondavel::link {

namespace {

class FdSource : public ByteSource {
  public:
    explicit FdSource(int fd) : fd_(fd) {}
    uint64_t Size() override {
        struct stat st;
        return ::fstat(fd_, &st) == 0 && st.st_size > 0 ? static_cast<uint64_t>(st.st_size) : 0;
    }
    size_t Read(uint8_t* buffer, size_t count) override {
        size_t done = 0;
        while (done < count) {
            ssize_t n = ::read(fd_, buffer + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

  private:
    int fd_;
};

class FdSink : public ByteSink {
  public:
    explicit FdSink(int& fd) : fd_(fd) {}
    bool Write(const uint8_t* data, size_t count) override {
        size_t done = 0;
        while (done < count) {
            if (fd_ < 0) return false;
            ssize_t n = ::write(fd_, data + done, count - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        written_ += count;
        return true;
    }
    void Close() override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    uint64_t Written() const override { return written_; }

  private:
    int& fd_;
    uint64_t written_ = 0;
};

// The mode-1 receiver's file, put in place only after a successful transfer.
class StagedSink : public ByteSink {
  public:
    explicit StagedSink(AtomicFile& file) : file_(file) {}
    bool Write(const uint8_t* data, size_t count) override {
        std::string error;
        if (!file_.Write(data, count, error)) return false;
        written_ += count;
        return true;
    }
    uint64_t Written() const override { return written_; }

  private:
    AtomicFile& file_;
    uint64_t written_ = 0;
};

std::string Trimmed(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string::npos) return {};
    return text.substr(start, text.find_last_not_of(" \t\r") - start + 1);
}

// Keys and values without the spaces around "=", as the profile functions read them.
std::map<std::string, std::string> ReadIniSection(const std::string& path,
                                                  const std::string& section, bool* found) {
    std::map<std::string, std::string> keys;
    std::ifstream in(path);
    *found = static_cast<bool>(in);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + section + "]";
            continue;
        }
        size_t eq = line.find('=');
        if (inside && eq != std::string::npos)
            keys[Trimmed(line.substr(0, eq))] = Trimmed(line.substr(eq + 1));
    }
    return keys;
}

// Reads one setting: missing gives the default silently; a value that is no
// number or fails `valid` gives the default and a line in `notice`.
template <typename Valid>
int Setting(const std::map<std::string, std::string>& keys, const char* key, int fallback,
            Valid valid, std::string& notice) {
    auto it = keys.find(key);
    if (it == keys.end()) return fallback;
    const std::string& text = it->second;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size() && valid(value)) return value;
    notice += std::string(key) + "=" + text + " is not valid; " + std::to_string(fallback) +
              " is used instead.\n";
    return fallback;
}

bool Between(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

class ReceiverLink::PortIo : public TransferIo {
  public:
    PortIo(ReceiverLink& link, bool send) : link_(link), send_(send) {}
    size_t ReadTimed(uint8_t* buffer, size_t count, int polls) override {
        if (polls > 0) polls = std::max(1, polls / link_.poll_divisor_.load());
        return link_.port_.ReadTimed(buffer, count, polls);
    }
    size_t WriteAll(const uint8_t* buffer, size_t count) override {
        return link_.port_.WriteAll(buffer, count);
    }
    void Purge() override { link_.port_.Purge(); }
    bool HungUp() override { return link_.port_.HungUp(); }
    bool Running() override { return send_ ? link_.send_flag_ : link_.receive_flag_; }
    bool Paused() override { return link_.pause_; }
    void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void Notify(uint32_t message, uintptr_t wparam, uintptr_t lparam) override {
        link_.Deliver(message, wparam, lparam);
    }
    void NameReceived(const std::string& name) override {
        std::lock_guard<std::mutex> guard(link_.lock_);
        link_.received_name_ = name.substr(0, kMaxReceivedName);
    }

  private:
    ReceiverLink& link_;
    bool send_;
};

ReceiverLink::ReceiverLink(LinkObserver* owner, Delivery delivery)
    : owner_(owner), delivery_(delivery) {
    PortPresence();
    port_.SetTransferCheck([this] { return send_flag_.load() || receive_flag_.load(); });
}

ReceiverLink::~ReceiverLink() {
    StopSend();
    StopReceive();
    ReapEnded();
    StopMonitor();
    port_.Close();
    if (file_ >= 0) ::close(file_);
}

bool ReceiverLink::LoadSettings(const std::string& ini_path) {
    bool found = false;
    auto keys = ReadIniSection(ini_path, "COM", &found);
    std::string& notice = settings_notice_;
    notice.clear();
    const int id = Setting(
        keys, "Id", 1, [](int v) { return Between(v, 1, 9); }, notice);
    // Without a Device the port stands for its usual device.
    auto device = keys.find("Device");
    AssignPortDevice(id, device != keys.end() ? device->second : std::string());
    port_.SetPortNumber(id);
    stored_port_ = id;
    stored_device_ = PortDevicePath(id);
    const LineSettings defaults;
    LineSettings s;
    s.baud_rate = static_cast<uint32_t>(Setting(
        keys, "BaudRate", static_cast<int>(defaults.baud_rate),
        [](int v) { return v > 0 && IsSupportedBaudRate(static_cast<uint32_t>(v)); }, notice));
    s.byte_size = static_cast<uint8_t>(Setting(
        keys, "DataBits", defaults.byte_size, [](int v) { return Between(v, 5, 8); }, notice));
    s.stop_bits = static_cast<uint8_t>(Setting(
        keys, "StopBits", defaults.stop_bits, [](int v) { return Between(v, 0, 2); }, notice));
    s.parity = static_cast<uint8_t>(Setting(
        keys, "Parity", defaults.parity, [](int v) { return Between(v, 0, 4); }, notice));
    s.parity_check =
        Setting(
            keys, "ParityCheck", 0, [](int v) { return Between(v, 0, 1); }, notice) == 1;
    port_.SetLineSettings(s);
    return found;
}

bool ReceiverLink::SaveSettings(const std::string& ini_path) const {
    const LineSettings& s = port_.Settings();
    const int id = stored_port_ >= 0 ? stored_port_ : port_.PortNumber();
    const std::string device = stored_port_ >= 0 ? stored_device_ : PortDevicePath(id);
    std::ostringstream out;
    out << "[COM]\n"
        << "Id=" << id << "\n"
        << "BaudRate=" << s.baud_rate << "\n"
        << "DataBits=" << int{s.byte_size} << "\n"
        << "StopBits=" << int{s.stop_bits} << "\n"
        << "Parity=" << int{s.parity} << "\n"
        << "ParityCheck=" << (s.parity_check ? 1 : 0) << "\n"
        << "Device=" << device << "\n";
    const std::string text = out.str();
    std::string error;
    return WriteFileAtomically(
        ini_path, {{reinterpret_cast<const uint8_t*>(text.data()), text.size()}}, error);
}

void ReceiverLink::ChoosePort(int number, const std::string& device) {
    if (!device.empty()) AssignPortDevice(number, device);
    port_.SetPortNumber(number);
    stored_port_ = number;
    stored_device_ = PortDevicePath(number);
}

void ReceiverLink::UseRunPort(const std::string& device) {
    if (stored_port_ < 0) {
        stored_port_ = port_.PortNumber() >= 1 ? port_.PortNumber() : 1;
        stored_device_ = PortDevicePath(stored_port_);
    }
    AssignPortDevice(1, device);
    port_.SetPortNumber(1);
}

bool ReceiverLink::Start() {
    if (port_.IsOpen()) return true;
    if (!port_.Open(true)) return false;
    if (!StartMonitor()) {
        port_.Close();
        return false;
    }
    return true;
}

bool ReceiverLink::Stop() {
    if (!port_.IsOpen()) return true;
    StopSend();
    StopReceive();
    ReapEnded();
    StopMonitor();
    port_.Close();
    return true;
}

std::string ReceiverLink::ReceivedName() const {
    std::lock_guard<std::mutex> guard(lock_);
    return received_name_;
}

std::string ReceiverLink::SendPath() const {
    std::lock_guard<std::mutex> guard(lock_);
    return send_path_;
}

bool ReceiverLink::Sending() const {
    std::lock_guard<std::mutex> guard(lock_);
    return sender_ != nullptr;
}

bool ReceiverLink::Receiving() const {
    std::lock_guard<std::mutex> guard(lock_);
    return receiver_ != nullptr;
}

void ReceiverLink::Deliver(uint32_t message, uintptr_t wparam, uintptr_t lparam) {
    if (!owner_) return;
    if (delivery_ == Delivery::kDirect) {
        owner_->OnLinkMessage(message, wparam, lparam);
        return;
    }
    Pending pending{message, wparam, lparam};
    std::unique_lock<std::mutex> mb(mailbox_mutex_);
    mailbox_.push_back(&pending);
    mailbox_cv_.notify_all();
    mb.unlock();
    owner_->OnLinkMessagePending();
    mb.lock();
    mailbox_cv_.wait(mb, [&] { return pending.done; });
}

int ReceiverLink::DispatchMessages() {
    int delivered = 0;
    for (;;) {
        Pending* p = nullptr;
        {
            std::lock_guard<std::mutex> mb(mailbox_mutex_);
            if (mailbox_.empty()) break;
            p = mailbox_.front();
            mailbox_.pop_front();
        }
        owner_->OnLinkMessage(p->message, p->wparam, p->lparam);
        ++delivered;
        std::lock_guard<std::mutex> mb(mailbox_mutex_);
        p->done = true;
        mailbox_cv_.notify_all();
    }
    return delivered;
}

bool ReceiverLink::OnWorkerThread() const {
    auto self = std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(lock_);
    if (sender_ && sender_->thread.get_id() == self) return true;
    if (receiver_ && receiver_->thread.get_id() == self) return true;
    for (Worker* w : ended_) {
        if (w->thread.get_id() == self) return true;
    }
    return false;
}

void ReceiverLink::WaitFor(Worker& worker) {
    // Keep delivering the worker's messages: it may be waiting on one.
    while (!worker.finished) {
        {
            std::unique_lock<std::mutex> mb(mailbox_mutex_);
            mailbox_cv_.wait_for(mb, std::chrono::milliseconds(10),
                                 [&] { return worker.finished.load() || !mailbox_.empty(); });
        }
        if (&worker == monitor_ && !worker.finished) port_.SetEventMask(0);
        DispatchMessages();
    }
    worker.thread.join();
}

void ReceiverLink::ReapEnded() {
    if (OnWorkerThread()) return;
    for (;;) {
        Worker* w = nullptr;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (ended_.empty()) return;
            w = ended_.front();
            ended_.pop_front();
        }
        WaitFor(*w);
        delete w;
    }
}

bool ReceiverLink::StartMonitor() {
    std::lock_guard<std::mutex> guard(monitor_mutex_);
    if (monitor_) return true;
    if (!port_.IsOpen()) return false;
    monitor_flag_ = true;
    port_.SetEventMask(kEventRxChar);
    auto* w = new Worker;
    try {
        w->thread = std::thread([this, w] {
            MonitorLoop();
            w->finished = true;
            std::lock_guard<std::mutex> mb(mailbox_mutex_);
            mailbox_cv_.notify_all();
        });
    } catch (const std::system_error&) {
        delete w;
        monitor_flag_ = false;
        return false;
    }
    monitor_ = w;
    return true;
}

void ReceiverLink::StopMonitor() {
    Worker* w = nullptr;
    {
        std::lock_guard<std::mutex> guard(monitor_mutex_);
        w = monitor_;
        if (!w) return;
        monitor_flag_ = false;
        port_.SetEventMask(0);
    }
    WaitFor(*w);
    std::lock_guard<std::mutex> guard(monitor_mutex_);
    monitor_ = nullptr;
    delete w;
}

void ReceiverLink::MonitorLoop() {
    uint8_t buffer[4097];
    while (monitor_flag_) {
        uint32_t mask = 0;
        if (!port_.WaitEvent(&mask)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        if (mask & kEventRxChar) {
            while (monitor_flag_) {
                long n = port_.Read(buffer, 4096);
                if (n <= 0) break;
                buffer[n] = 0;
                Deliver(kMsgIdleData, static_cast<uintptr_t>(n),
                        reinterpret_cast<uintptr_t>(buffer));
            }
        }
        if (port_.HungUp()) {
            // Nothing more comes: the owner closes the port and tries it again later.
            Deliver(kMsgLineHungUp, 0, 0);
            return;
        }
    }
}

bool ReceiverLink::StartSend(const std::string& path, int mode) {
    return StartTransfer(path, mode, true);
}

bool ReceiverLink::StartReceive(const std::string& path, int mode) {
    return StartTransfer(path, mode, false);
}

bool ReceiverLink::StartTransfer(const std::string& path, int mode, bool send) {
    if (OnWorkerThread()) return false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!port_.IsOpen() || sender_ || receiver_) return false;
    }
    // A thread that ended by itself may still be restarting the monitor; it
    // must be gone before the monitor is stopped, or both would read the port.
    ReapEnded();
    if (mode != 1 && mode != 2) return false;
    int fd = -1;
    if (!send && mode == 1) {
        // The previous file stays until the whole new one has arrived.
        std::string error;
        if (!staged_.Open(path, error)) return false;
        if (staged_.WritesThrough()) {
            staged_.Abandon();
            return false;
        }
    } else {
        // Not truncated before the lock is ours: another receive may be writing it.
        fd = send ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC)
                  : ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
            (!send && (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0))) {
            ::close(fd);
            return false;
        }
    }
    StopMonitor();
    file_ = fd;
    auto* w = new Worker;
    std::promise<void> resume;
    std::future<void> resumed = resume.get_future();
    try {
        w->thread = std::thread([this, w, send, mode, f = std::move(resumed)]() mutable {
            f.wait();
            TransferMain(send, mode);
            w->finished = true;
            std::lock_guard<std::mutex> mb(mailbox_mutex_);
            mailbox_cv_.notify_all();
        });
    } catch (const std::system_error&) {
        delete w;
        if (fd >= 0) ::close(fd);
        staged_.Abandon();
        file_ = -1;
        StartMonitor();
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (send) {
            send_path_ = path.substr(0, 259);
            sender_ = w;
            send_flag_ = true;
        } else {
            received_name_.clear();
            receiver_ = w;
            receive_flag_ = true;
        }
    }
    pause_ = false;
    port_.SetEventMask(0);
    resume.set_value();
    return true;
}

void ReceiverLink::TransferMain(bool send, int mode) {
    PortIo io(*this, send);
    uint16_t result;
    if (send) {
        FdSource source(file_);
        result = mode == 1 ? SendMode1(io, source) : SendMode2(io, source, SendPath());
    } else if (mode == 1) {
        StagedSink sink(staged_);
        result = ReceiveMode1(io, sink);
        std::string error;
        if (result == kResultOk && !staged_.Commit(error)) result = kResultFailed;
        staged_.Abandon();
    } else {
        FdSink sink(file_);
        result = ReceiveMode2(io, sink);
    }
    EndTransfer(send, result, mode);
}

void ReceiverLink::EndTransfer(bool send, uint16_t result, int mode) {
    Deliver(kMsgResult, result, 0);
    if (file_ >= 0) ::close(file_);
    file_ = -1;
    Deliver(send ? kMsgSendProgress : kMsgReceiveProgress, 0, 0);
    {
        std::lock_guard<std::mutex> guard(lock_);
        std::atomic<bool>& flag = send ? send_flag_ : receive_flag_;
        Worker*& slot = send ? sender_ : receiver_;
        if (flag.exchange(false) && slot) {
            ended_.push_back(slot);
            slot = nullptr;
        }
    }
    StartMonitor();
    if (!send && mode == 2) {
        Deliver(kMsgReceiveFinished, result == kResultOk ? 0 : kResultCancelled, 0);
    }
}

bool ReceiverLink::StopSend() {
    return StopTransfer(true);
}
bool ReceiverLink::StopReceive() {
    return StopTransfer(false);
}

bool ReceiverLink::StopTransfer(bool send) {
    std::atomic<bool>& flag = send ? send_flag_ : receive_flag_;
    if (OnWorkerThread()) {
        // A handler on the worker itself cannot wait for it.
        flag = false;
        return true;
    }
    Worker* w = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        w = send ? sender_ : receiver_;
        if (w && !flag.exchange(false)) w = nullptr;
    }
    if (w) {
        pause_ = false;
        WaitFor(*w);
        std::lock_guard<std::mutex> guard(lock_);
        (send ? sender_ : receiver_) = nullptr;
        delete w;
    }
    // A thread that ended by itself is joined here, after it restarted the monitor.
    ReapEnded();
    return true;
}

}  // namespace brondavel::link
