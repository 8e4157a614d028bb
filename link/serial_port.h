// One serial port to the receiver, over POSIX termios.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace brondavel::link {

// Result of a timed read that brought nothing; shared with the transfer codes.
inline constexpr int kReadTimeout = 0x8800;

// Character-received event of the event mask.
inline constexpr uint32_t kEventRxChar = 1;

// Stop-bit codes: 0 one, 1 one and a half, 2 two. Parity codes: 0 none, 1 odd,
// 2 even, 3 mark, 4 space.
struct LineSettings {
    uint32_t baud_rate = 115200;
    uint8_t byte_size = 8;
    uint8_t parity = 0;
    uint8_t stop_bits = 0;
    bool parity_check = false;
    bool operator==(const LineSettings&) const = default;
};

// Port numbers N stand for "COM N". This is the one place that maps them to
// devices: COM N is /dev/ttyS(N-1) unless a device path was assigned to N.
std::string PortDevicePath(int port_number);
void AssignPortDevice(int port_number, const std::string& path);
// Existing /dev/ttyS*, /dev/ttyUSB* and /dev/ttyACM* devices, sorted.
std::vector<std::string> ListSerialDevices();
// Whether the port can run at this rate.
bool IsSupportedBaudRate(uint32_t baud);
// Why `path` cannot serve as a port ("it is not a terminal", ...); "" when it
// is a terminal, or one held already.
std::string TerminalProblem(const std::string& path);
// True when the device of the port exists, even if another program holds it.
bool ProbePort(int port_number);
// Presence of ports 0 to 9, probed once per process.
const std::array<bool, 10>& PortPresence();

class SerialPort {
  public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool Open(bool overlapped = true);
    bool Close();
    bool IsOpen() const { return open_; }

    bool SetPortNumber(int number);
    int PortNumber() const { return port_number_; }
    bool SetLineSettings(const LineSettings& settings);
    const LineSettings& Settings() const { return settings_; }
    bool Configure(int number, const LineSettings& settings);

    // Throws away what is queued in both directions.
    bool Purge();
    // Non-blocking read of what is there; -1 on failure (closed, hung up).
    long Read(uint8_t* buffer, size_t count);
    bool Write(const uint8_t* buffer, size_t count);
    // Mask kEventRxChar arms the character event; mask 0 wakes a pending WaitEvent.
    bool SetEventMask(uint32_t mask);
    // Blocks until a character arrives (mask out kEventRxChar) or a wake-up (0).
    bool WaitEvent(uint32_t* mask);
    // Queued input bytes; errors is set to 1 once the line has hung up.
    bool ClearErrors(uint32_t* errors, size_t* queued);

    // Waits (polls of 1 ms) until count bytes are queued, then reads them all.
    // Yields count or 0; polls 0 takes what is queued without waiting.
    size_t ReadTimed(uint8_t* buffer, size_t count, int polls);
    // As ReadTimed, but kReadTimeout when nothing was read.
    int ReadOrTimeout(uint8_t* buffer, size_t count, int polls);
    // Writes everything and waits until it has left; bytes written, 0 on failure.
    size_t WriteAll(const uint8_t* buffer, size_t count);

    // The timed reads give up as soon as this says no transfer runs.
    void SetTransferCheck(std::function<bool()> running) { running_ = std::move(running); }
    // EOF, EIO or POLLHUP seen on the device since it was opened.
    bool HungUp() const { return hung_up_; }

  private:
    size_t Queued();
    void Fill();
    bool Apply(int fd, const LineSettings& settings);

    int fd_ = -1;
    int wake_fd_ = -1;
    int port_number_ = -1;
    LineSettings settings_;
    bool open_ = false;
    std::atomic<uint32_t> mask_{0};
    std::atomic<bool> hung_up_{false};
    std::function<bool()> running_;
    // Bytes taken from the device but not yet handed out.
    std::vector<uint8_t> pending_;
    size_t pending_pos_ = 0;
};

}  // namespace brondavel::link
