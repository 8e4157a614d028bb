// Pseudo-terminal pairs, a receiver simulator on a thread and a recording owner.
#pragma once

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "files/flash_image_file.h"
#include "link/receiver_link.h"
#include "model/demo_database.h"
#include "tests/support/temp_files.h"
#include "tools/receiver_sim/receiver_sim.h"

namespace linktest {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A pty whose master plays the receiver's end; the slave is the PC's port.
struct Pty {
    Pty() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            termios t{};
            tcgetattr(slave, &t);
            cfmakeraw(&t);
            tcsetattr(slave, TCSANOW, &t);
            // A program the test starts must not keep the line up when the sim hangs up.
            fcntl(master, F_SETFD, FD_CLOEXEC);
            fcntl(slave, F_SETFD, FD_CLOEXEC);
            path = name;
        }
    }
    ~Pty() { HangUp(); }
    void HangUp() {
        CloseSlave();
        if (master >= 0) ::close(master);
        master = -1;
    }
    // Without the test's own slave handle the sim's close is a real hang-up.
    void CloseSlave() {
        if (slave >= 0) ::close(slave);
        slave = -1;
    }
    int master = -1;
    int slave = -1;
    std::string path;
};

struct SimThread {
    SimThread(Pty& pty, brondavel::sim::SimOptions options) : pty_(pty), o_(std::move(options)) {
        thread_ = std::thread([this] {
            rc = brondavel::sim::RunSim(pty_.master, o_, &message);
            if (rc == 3) pty_.master = -1;  // the sim hung up and closed it
        });
    }
    ~SimThread() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    int rc = -1;
    std::string message;

  private:
    Pty& pty_;
    brondavel::sim::SimOptions o_;
    std::thread thread_;
};

struct Message {
    uint32_t id;
    uintptr_t wparam;
    uintptr_t lparam;
    bool operator==(const Message&) const = default;
};

class Recorder : public brondavel::link::LinkObserver {
  public:
    void OnLinkMessage(uint32_t id, uintptr_t w, uintptr_t l) override {
        std::lock_guard<std::mutex> g(m_);
        if (id == brondavel::link::kMsgIdleData) {
            idle_bytes_.append(reinterpret_cast<const char*>(l), w);
            l = 0;
        }
        messages_.push_back({id, w, l});
        cv_.notify_all();
    }
    // Waits for the nth message of this id (1-based); false on time-out.
    bool WaitFor(uint32_t id, int nth = 1, std::chrono::milliseconds limit = 120s) {
        std::unique_lock<std::mutex> g(m_);
        return cv_.wait_for(g, limit, [&] {
            return std::count_if(messages_.begin(), messages_.end(),
                                 [id](const Message& m) { return m.id == id; }) >= nth;
        });
    }
    std::vector<Message> Of(uint32_t id) {
        std::lock_guard<std::mutex> g(m_);
        std::vector<Message> out;
        std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(out),
                     [id](const Message& m) { return m.id == id; });
        return out;
    }
    uint16_t Result() {
        auto r = Of(brondavel::link::kMsgResult);
        return r.empty() ? 0xFFFF : static_cast<uint16_t>(r.back().wparam);
    }
    std::string IdleBytes() {
        std::lock_guard<std::mutex> g(m_);
        return idle_bytes_;
    }

  private:
    std::mutex m_;
    std::condition_variable cv_;
    std::vector<Message> messages_;
    std::string idle_bytes_;
};

using namespace testsupport;

inline std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = static_cast<uint8_t>(rng());
    return v;
}

// Bytes whose header states a payload length at offset 12, as a flash image's does.
inline std::vector<uint8_t> Announcing(std::vector<uint8_t> v, uint32_t payload) {
    for (int i = 0; i < 4; ++i) v[12 + i] = static_cast<uint8_t>(payload >> (8 * i));
    return v;
}

// A second-generation flash image: a 128-byte header, then the payload.
inline std::vector<uint8_t> FlashImage(size_t n, unsigned seed) {
    return Announcing(RandomBytes(n, seed), static_cast<uint32_t>(n - 128));
}

// The demo database as a model 0, flash type 1, compress mode 1 file: its
// payload is one LH5 block, far shorter than the length its header states.
inline std::vector<uint8_t> PackedDemoImage(const std::string& path) {
    brondavel::FlashImageFile file(path, 0, 1, 1);
    brondavel::FillSecondGenDemo(file.db());
    if (file.Save(path) != 1) return {};
    return Slurp(path);
}

// A simulator that takes a file (mode 1) or a batch into a folder (mode 2).
// A mode-1 sender sends no EOT: the sim ends the file after a silence that
// must outlast any pause of a busy machine between two blocks.
inline brondavel::sim::SimOptions Accepting(int mode, const std::string& path) {
    return {.mode = mode, .path = path, .name = {}, .timeout_ms = 5000, .idle_end_ms = 2000};
}

inline brondavel::sim::SimOptions Sending(int mode, const std::string& path) {
    brondavel::sim::SimOptions o = Accepting(mode, path);
    o.send = true;
    return o;
}

// A link on the given tty path, with its port started.
struct LinkOn {
    explicit LinkOn(const std::string& tty,
                    brondavel::link::Delivery d = brondavel::link::Delivery::kDirect)
        : link(&owner, d) {
        brondavel::link::AssignPortDevice(7, tty);
        link.Port().SetPortNumber(7);
        started = link.Start();
    }
    Recorder owner;
    brondavel::link::ReceiverLink link;
    bool started = false;
};

// One transfer on a fresh link, waited for; its result (0xFFFF: none came).
inline uint16_t Send(LinkOn& l, const std::string& file, int mode) {
    if (l.link.StartSend(file, mode)) l.owner.WaitFor(brondavel::link::kMsgResult);
    l.link.StopSend();
    return l.owner.Result();
}

inline uint16_t Receive(LinkOn& l, const std::string& file, int mode) {
    using namespace brondavel::link;
    if (l.link.StartReceive(file, mode))
        l.owner.WaitFor(mode == 2 ? kMsgReceiveFinished : kMsgResult);
    l.link.StopReceive();
    return l.owner.Result();
}

}  // namespace linktest
