#include "link/serial_port.h"

#include <fcntl.h>
#include <glob.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <thread>

namespace brondavel::link {

namespace {

std::mutex& DeviceMutex() {
    static std::mutex m;
    return m;
}

std::map<int, std::string>& DeviceTable() {
    static std::map<int, std::string> table;
    return table;
}

speed_t SpeedOf(uint32_t baud) {
    switch (baud) {
        case 110:
            return B110;
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        // 14400 has no termios rate; the nearest standard one serves.
        case 14400:
            return B19200;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

void SleepOneMs() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// A tty read with VMIN and VTIME at 0 yields 0 when nothing is queued, just as
// after a hang-up; only poll tells the two apart.
bool LineGone(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

}  // namespace

std::string PortDevicePath(int port_number) {
    std::lock_guard<std::mutex> guard(DeviceMutex());
    auto it = DeviceTable().find(port_number);
    if (it != DeviceTable().end()) return it->second;
    if (port_number < 1) return {};
    return "/dev/ttyS" + std::to_string(port_number - 1);
}

void AssignPortDevice(int port_number, const std::string& path) {
    std::lock_guard<std::mutex> guard(DeviceMutex());
    if (path.empty()) {
        DeviceTable().erase(port_number);
    } else {
        DeviceTable()[port_number] = path;
    }
}

std::vector<std::string> ListSerialDevices() {
    std::vector<std::string> out;
    for (const char* pattern : {"/dev/ttyS*", "/dev/ttyUSB*", "/dev/ttyACM*"}) {
        glob_t g{};
        if (glob(pattern, 0, nullptr, &g) == 0) {
            for (size_t i = 0; i < g.gl_pathc; ++i) out.emplace_back(g.gl_pathv[i]);
        }
        globfree(&g);
    }
    return out;
}

bool IsSupportedBaudRate(uint32_t baud) {
    return SpeedOf(baud) != B0;
}

std::string TerminalProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISCHR(st.st_mode)) return "it is not a device";
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // Busy: held exclusively, which only a terminal can be.
    if (fd < 0) return errno == EBUSY ? std::string() : std::strerror(errno);
    const bool terminal = ::isatty(fd);
    ::close(fd);
    return terminal ? std::string() : "it is not a terminal";
}

bool ProbePort(int port_number) {
    std::string path = PortDevicePath(port_number);
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // Busy or not ours: the device is there all the same.
    return errno != ENOENT && errno != ENODEV && errno != ENXIO && errno != ENOTDIR;
}

const std::array<bool, 10>& PortPresence() {
    static const std::array<bool, 10> presence = [] {
        std::array<bool, 10> p{};
        for (int i = 0; i < 10; ++i) p[i] = ProbePort(i);
        return p;
    }();
    return presence;
}

SerialPort::SerialPort() {
    wake_fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SerialPort::~SerialPort() {
    Close();
    if (wake_fd_ >= 0) ::close(wake_fd_);
}

bool SerialPort::Apply(int fd, const LineSettings& s) {
    speed_t speed = SpeedOf(s.baud_rate);
    if (speed == B0 || s.byte_size < 5 || s.byte_size > 8 || s.parity > 4 || s.stop_bits > 2) {
        return false;
    }
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CMSPAR);
    t.c_cflag |= CLOCAL | CREAD;
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[s.byte_size - 5];
    // One and a half stop bits exist only for 5-bit bytes; termios offers two.
    if (s.stop_bits != 0) t.c_cflag |= CSTOPB;
    switch (s.parity) {
        case 1:
            t.c_cflag |= PARENB | PARODD;
            break;
        case 2:
            t.c_cflag |= PARENB;
            break;
        case 3:
            t.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 4:
            t.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            break;
    }
    t.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
    if (s.parity_check && s.parity != 0) t.c_iflag |= INPCK;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

bool SerialPort::Open(bool) {
    if (open_) return true;
    std::string path = PortDevicePath(port_number_);
    if (port_number_ == -1 || path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // Exclusive: no second open of the tty, and a lock against cooperative programs.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0 ||
        !Apply(fd, settings_)) {
        ::close(fd);
        return false;
    }
    ::tcflush(fd, TCIOFLUSH);
    int dtr = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &dtr);  // a pty has no modem lines: failure is fine
    fd_ = fd;
    pending_.clear();
    pending_pos_ = 0;
    hung_up_ = false;
    open_ = true;
    return true;
}

bool SerialPort::Close() {
    if (!open_) return true;
    // Let what was written leave before the line drops.
    if (!hung_up_) ::tcdrain(fd_);
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIC, &dtr);
    ::tcflush(fd_, TCIFLUSH);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    pending_.clear();
    pending_pos_ = 0;
    open_ = false;
    return true;
}

bool SerialPort::SetPortNumber(int number) {
    if (open_) return false;
    port_number_ = number;
    return true;
}

bool SerialPort::SetLineSettings(const LineSettings& settings) {
    if (open_ && !Apply(fd_, settings)) return false;
    settings_ = settings;
    return true;
}

bool SerialPort::Configure(int number, const LineSettings& settings) {
    if (open_ && (number != port_number_ || !Apply(fd_, settings))) return false;
    port_number_ = number;
    settings_ = settings;
    return true;
}

bool SerialPort::Purge() {
    if (!open_) return false;
    pending_.clear();
    pending_pos_ = 0;
    // Every write has drained already, so only stale input is thrown away.
    return ::tcflush(fd_, TCIOFLUSH) == 0;
}

long SerialPort::Read(uint8_t* buffer, size_t count) {
    if (!open_) return -1;
    size_t done = 0;
    if (pending_pos_ < pending_.size()) {
        done = std::min(count, pending_.size() - pending_pos_);
        std::copy_n(pending_.begin() + static_cast<long>(pending_pos_), done, buffer);
        pending_pos_ += done;
        if (pending_pos_ == pending_.size()) {
            pending_.clear();
            pending_pos_ = 0;
        }
    }
    if (done < count) {
        ssize_t n = ::read(fd_, buffer + done, count - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n == 0 ? LineGone(fd_) : (errno != EAGAIN && errno != EINTR)) {
            hung_up_ = true;
            if (done == 0) return -1;
        }
    }
    return static_cast<long>(done);
}

bool SerialPort::Write(const uint8_t* buffer, size_t count) {
    return open_ && WriteAll(buffer, count) == count;
}

bool SerialPort::SetEventMask(uint32_t mask) {
    if (!open_) return false;
    mask_ = mask;
    if (mask == 0 && wake_fd_ >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_fd_, &one, sizeof one);
    }
    return true;
}

bool SerialPort::WaitEvent(uint32_t* mask) {
    if (!open_) return false;
    *mask = 0;
    if (pending_pos_ < pending_.size()) {
        *mask = mask_ & kEventRxChar;
        return true;
    }
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
    int n = ::poll(fds, 2, -1);
    if (n < 0) return errno == EINTR;
    if (fds[1].revents & POLLIN) {
        uint64_t v;
        [[maybe_unused]] ssize_t r = ::read(wake_fd_, &v, sizeof v);
        return true;
    }
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        // Nobody on the line: a hung-up tty stays readable, so do not spin on it.
        hung_up_ = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (fds[0].revents & POLLIN) *mask = mask_ & kEventRxChar;
    return true;
}

void SerialPort::Fill() {
    uint8_t chunk[4096];
    ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n > 0) {
        if (pending_pos_ > 0 && pending_pos_ == pending_.size()) {
            pending_.clear();
            pending_pos_ = 0;
        }
        pending_.insert(pending_.end(), chunk, chunk + n);
    } else if (n == 0 ? LineGone(fd_) : (errno != EAGAIN && errno != EINTR)) {
        hung_up_ = true;
    }
}

size_t SerialPort::Queued() {
    int kernel = 0;
    if (::ioctl(fd_, FIONREAD, &kernel) != 0) {
        hung_up_ = true;
        kernel = 0;
    }
    size_t queued = pending_.size() - pending_pos_ + static_cast<size_t>(std::max(kernel, 0));
    if (kernel == 0 && !hung_up_) {
        // FIONREAD says nothing about a hang-up; poll does.
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) &&
            !(p.revents & POLLIN)) {
            hung_up_ = true;
        }
    }
    return queued;
}

bool SerialPort::ClearErrors(uint32_t* errors, size_t* queued) {
    if (!open_) return false;
    size_t q = Queued();
    if (queued) *queued = q;
    if (errors) *errors = hung_up_ ? 1 : 0;
    return true;
}

size_t SerialPort::ReadTimed(uint8_t* buffer, size_t count, int polls) {
    if (count == 0 || !open_) return 0;
    if (polls != 0) {
        // One poll: a queue check and a pause of 1 ms. On an empty queue the
        // pause ends early when input arrives; the budget stays polls ms.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(polls);
        for (;;) {
            if (running_ && !running_()) return 0;
            size_t queued = Queued();
            if (queued >= count) break;
            if (hung_up_) return 0;
            if (queued == 0) {
                pollfd p{fd_, POLLIN, 0};
                ::poll(&p, 1, 1);
            } else {
                SleepOneMs();
            }
            if (std::chrono::steady_clock::now() >= deadline) return 0;
        }
    }
    // Take the bytes into the pending buffer first, so a block comes out whole.
    while (pending_.size() - pending_pos_ < count) {
        size_t before = pending_.size() - pending_pos_;
        Fill();
        if (pending_.size() - pending_pos_ == before) break;
    }
    size_t have = pending_.size() - pending_pos_;
    if (polls != 0 && have < count) return 0;
    long n = Read(buffer, std::min(count, have));
    return n > 0 ? static_cast<size_t>(n) : 0;
}

int SerialPort::ReadOrTimeout(uint8_t* buffer, size_t count, int polls) {
    size_t n = ReadTimed(buffer, count, polls);
    return n == 0 ? kReadTimeout : static_cast<int>(n);
}

size_t SerialPort::WriteAll(const uint8_t* buffer, size_t count) {
    if (!open_ || hung_up_) return 0;
    size_t done = 0;
    int idle_seconds = 0;
    while (done < count) {
        ssize_t n = ::write(fd_, buffer + done, count - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd_, POLLOUT, 0};
            int r = ::poll(&p, 1, 1000);
            if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
                hung_up_ = true;
                return 0;
            }
            // A line that takes nothing for long is as good as gone.
            if (r == 0 && ((running_ && !running_()) || ++idle_seconds >= 10)) return 0;
            continue;
        }
        hung_up_ = true;
        return 0;
    }
    ::tcdrain(fd_);
    return done;
}

}  // namespace brondavel::link
