// The one object through which the application talks to the receiver: it owns
// the port, listens while idle and runs at most one transfer thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "files/atomic_file.h"
#include "link/protocol.h"
#include "link/serial_port.h"

namespace brondavel::link {

// Sent once by the idle listener when the line hangs up: the device went away.
inline constexpr uint32_t kMsgLineHungUp = 0x509;

// Receives the link's messages 0x500 to 0x508 (numbers in protocol.h) and
// kMsgLineHungUp.
class LinkObserver {
  public:
    virtual ~LinkObserver() = default;
    // For 0x500, lparam points to wparam bytes followed by a zero byte.
    virtual void OnLinkMessage(uint32_t message, uintptr_t wparam, uintptr_t lparam) = 0;
    // Queued delivery only: called on a worker thread when a message waits;
    // the owner's loop should then call ReceiverLink::DispatchMessages().
    virtual void OnLinkMessagePending() {}
};

enum class Delivery {
    kDirect,  // the observer runs on the worker thread, which waits for it
    kQueued,  // the worker waits until the owner's thread dispatches it
};

class ReceiverLink {
  public:
    explicit ReceiverLink(LinkObserver* owner, Delivery delivery = Delivery::kDirect);
    ~ReceiverLink();
    ReceiverLink(const ReceiverLink&) = delete;
    ReceiverLink& operator=(const ReceiverLink&) = delete;

    // "Serial.ini", section "COM": Id, BaudRate, DataBits, StopBits, Parity,
    // ParityCheck, and Device (the device path of port Id, optional). A value
    // out of range takes its default and is named in SettingsNotice().
    bool LoadSettings(const std::string& ini_path);
    // Writes the line settings and the stored port (see UseRunPort).
    bool SaveSettings(const std::string& ini_path) const;
    // What LoadSettings replaced, one line each; empty when all was valid.
    const std::string& SettingsNotice() const { return settings_notice_; }
    // The port the user chose: used now and stored by SaveSettings.
    void ChoosePort(int number, const std::string& device);
    // A device for this run only (port 1): SaveSettings keeps the stored port.
    void UseRunPort(const std::string& device);

    bool Start();
    bool Stop();
    bool StartSend(const std::string& path, int mode);
    bool StartReceive(const std::string& path, int mode);
    bool StopSend();
    bool StopReceive();

    // Delivers the messages that workers wait on (queued delivery); returns
    // how many were delivered. Call on the owner's thread.
    int DispatchMessages();

    SerialPort& Port() { return port_; }
    std::string ReceivedName() const;
    std::string SendPath() const;
    void SetPaused(bool paused) { pause_ = paused; }
    bool MonitorRunning() const { return monitor_flag_; }
    bool Sending() const;
    bool Receiving() const;
    // Divides every poll count (at least one poll stays); for tests and
    // simulations that cannot wait out the receiver's real time-outs.
    void SetPollDivisor(int divisor) { poll_divisor_ = divisor < 1 ? 1 : divisor; }

  private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> finished{false};
    };
    struct Pending {
        uint32_t message;
        uintptr_t wparam;
        uintptr_t lparam;
        bool done = false;
    };
    class PortIo;

    void Deliver(uint32_t message, uintptr_t wparam, uintptr_t lparam);
    bool OnWorkerThread() const;
    void WaitFor(Worker& worker);
    void ReapEnded();
    bool StartMonitor();
    void StopMonitor();
    void MonitorLoop();
    bool StartTransfer(const std::string& path, int mode, bool send);
    void TransferMain(bool send, int mode);
    void EndTransfer(bool send, uint16_t result, int mode);
    bool StopTransfer(bool send);

    LinkObserver* owner_;
    Delivery delivery_;
    SerialPort port_;
    int file_ = -1;
    std::string settings_notice_;
    int stored_port_ = -1;  // -1: the port in use
    std::string stored_device_;
    // A mode-1 receive goes here and replaces its target only when it succeeds.
    AtomicFile staged_;
    std::atomic<bool> pause_{false};
    std::atomic<bool> monitor_flag_{false};
    std::atomic<bool> send_flag_{false};
    std::atomic<bool> receive_flag_{false};
    std::atomic<int> poll_divisor_{1};

    mutable std::mutex lock_;  // take-and-clear of the run flags, names, thread slots
    std::string send_path_;
    std::string received_name_;
    Worker* sender_ = nullptr;
    Worker* receiver_ = nullptr;
    std::deque<Worker*> ended_;  // threads that ended by themselves, joined later

    std::mutex monitor_mutex_;
    Worker* monitor_ = nullptr;

    std::mutex mailbox_mutex_;
    std::condition_variable mailbox_cv_;
    std::deque<Pending*> mailbox_;
};

}  // namespace brondavel::link
