#include "tools/receiver_sim/receiver_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <vector>

#include "files/read_file.h"
#include "link/protocol.h"

namespace brondavel::sim {

namespace {

using namespace brondavel::link;
using Clock = std::chrono::steady_clock;

class Wire {
  public:
    Wire(int fd, const SimOptions& o) : fd_(fd), o_(o) {}
    bool Closed() const { return closed_; }
    bool HungUpByUs() const { return hung_up_by_us_; }

    // One byte within timeout_ms, or -1.
    int Get(int timeout_ms) {
        auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
        for (;;) {
            if (closed_) return -1;
            if (pos_ < buf_.size()) {
                uint8_t b = buf_[pos_++];
                long index = in_count_++;
                CountAndMaybeHangUp();
                if (index == o_.drop_in) continue;
                if (index == o_.flip_in) b ^= 0xFF;
                return b;
            }
            buf_.clear();
            pos_ = 0;
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                    .count();
            if (left < 0) return -1;
            pollfd p{fd_, POLLIN, 0};
            int r = ::poll(&p, 1, static_cast<int>(left));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return -1;
            uint8_t chunk[4096];
            ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n > 0) {
                buf_.assign(chunk, chunk + n);
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                // The PC side is not open (yet, or any more): wait a little.
                ::usleep(5000);
            }
        }
    }

    bool GetN(uint8_t* out, size_t count, int timeout_ms) {
        for (size_t i = 0; i < count; ++i) {
            int b = Get(timeout_ms);
            if (b < 0) return false;
            out[i] = static_cast<uint8_t>(b);
        }
        return true;
    }

    void Put(const uint8_t* data, size_t count) {
        std::vector<uint8_t> out;
        out.reserve(count);
        for (size_t i = 0; i < count && !closed_; ++i) {
            long index = out_count_++;
            CountAndMaybeHangUp();
            if (index == o_.drop_out) continue;
            out.push_back(index == o_.flip_out ? static_cast<uint8_t>(data[i] ^ 0xFF) : data[i]);
        }
        size_t done = 0;
        while (done < out.size() && !closed_) {
            ssize_t n = ::write(fd_, out.data() + done, out.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
            } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                pollfd p{fd_, POLLOUT, 0};
                ::poll(&p, 1, 100);
            } else {
                return;
            }
        }
    }
    void Put(uint8_t b) { Put(&b, 1); }

    // Throws away what is already queued, after a bad frame.
    void Discard(int quiet_ms) {
        while (Get(quiet_ms) >= 0) {
        }
    }

  private:
    void CountAndMaybeHangUp() {
        if (o_.hangup_after >= 0 && in_count_ + out_count_ >= o_.hangup_after && !closed_) {
            ::close(fd_);
            closed_ = true;
            hung_up_by_us_ = true;
        }
    }

    int fd_;
    const SimOptions& o_;
    std::vector<uint8_t> buf_;
    size_t pos_ = 0;
    long in_count_ = 0;
    long out_count_ = 0;
    bool closed_ = false;
    bool hung_up_by_us_ = false;
};

constexpr int kByteMs = 1000;

std::vector<uint8_t> MakeFrame(uint8_t header, uint8_t number, const uint8_t* data, size_t size,
                               bool crc) {
    std::vector<uint8_t> f(size + 5);
    f[0] = header;
    f[1] = number;
    f[2] = static_cast<uint8_t>(0xFF - number);
    std::copy_n(data, size, f.begin() + 3);
    f.resize(size + 3);
    if (crc) {
        uint16_t c = Crc16(data, size);
        f.push_back(static_cast<uint8_t>(c >> 8));
        f.push_back(static_cast<uint8_t>(c));
    } else {
        f.push_back(Checksum8(data, size));
    }
    return f;
}

struct Block {
    int number = -1;
    std::vector<uint8_t> data;
};

// Reads the rest of a frame after its header byte; false on a bad frame.
bool ReadFrame(Wire& w, int header, bool crc, Block* block) {
    size_t size = header == kStx ? 1024 : 128;
    uint8_t nums[2];
    if (!w.GetN(nums, 2, kByteMs)) return false;
    block->data.resize(size);
    if (!w.GetN(block->data.data(), size, kByteMs)) return false;
    uint8_t check[2] = {0, 0};
    if (!w.GetN(check, crc ? 2 : 1, kByteMs)) return false;
    if (nums[0] != static_cast<uint8_t>(0xFF - nums[1])) return false;
    bool ok = crc ? ((check[0] << 8) | check[1]) == Crc16(block->data.data(), size)
                  : check[0] == Checksum8(block->data.data(), size);
    if (!ok) return false;
    block->number = nums[0];
    return true;
}

int Silent(Wire& w, const SimOptions& o, std::string* msg) {
    while (w.Get(o.timeout_ms) >= 0) {
    }
    *msg = "stayed silent";
    return w.HungUpByUs() ? 3 : 1;
}

int Fail(Wire& w, std::string* msg, const std::string& what) {
    *msg = w.HungUpByUs() ? "hung up" : what;
    return w.HungUpByUs() ? 3 : 1;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

// Waits for the first header byte of the PC's transfer, asking with request.
int AwaitStart(Wire& w, const SimOptions& o, uint8_t request) {
    auto deadline = Clock::now() + std::chrono::milliseconds(o.timeout_ms);
    while (Clock::now() < deadline && !w.Closed()) {
        w.Put(request);
        int b = w.Get(o.request_ms);
        if (b == kSoh || b == kStx) return b;
    }
    return -1;
}

// Accepts blocks 1, 2, ... until EOT (true) or silence; refusals, repeats and
// bad frames are answered as a receiver does.
bool AcceptBlocks(Wire& w, const SimOptions& o, int first_header, bool crc, int end_silence_ms,
                  std::vector<uint8_t>* file, bool* eot) {
    uint8_t expected = 1;
    int header = first_header;
    int previous = -1;
    bool any = false;
    for (;;) {
        if (header < 0) header = w.Get(any ? end_silence_ms : o.timeout_ms);
        if (header < 0) return any && !w.Closed();
        if (header == kEot) {
            *eot = true;
            return true;
        }
        // CAN twice: the PC gave up, so there is nothing left to wait for.
        if (header == kCan && previous == kCan) return false;
        previous = header;
        if (header != kSoh && header != kStx) {
            header = -1;
            continue;
        }
        Block block;
        if (!ReadFrame(w, header, crc, &block)) {
            w.Discard(50);
            w.Put(kNak);
        } else if (block.number == expected) {
            if (o.refuse_first && expected == 1) {
                w.Put(kNak);
            } else {
                file->insert(file->end(), block.data.begin(), block.data.end());
                w.Put(kAck);
                ++expected;
                any = true;
            }
        } else if (block.number == static_cast<uint8_t>(expected - 1)) {
            w.Put(kAck);  // our ACK was lost: the block came again
        } else {
            w.Put(kNak);
        }
        header = -1;
    }
}

int AcceptMode1(Wire& w, const SimOptions& o, std::string* msg) {
    int first = AwaitStart(w, o, o.checksum ? kNak : kCrcRequest);
    if (first < 0) return Fail(w, msg, "no block arrived");
    std::vector<uint8_t> file;
    bool eot = false;
    if (!AcceptBlocks(w, o, first, !o.checksum, o.idle_end_ms, &file, &eot)) {
        return Fail(w, msg, "transfer broke off");
    }
    if (eot) w.Put(kAck);
    if (!WriteFile(o.path, file)) return Fail(w, msg, "cannot write " + o.path);
    *msg = "stored " + o.path + " (" + std::to_string(file.size()) + " bytes)";
    return 0;
}

int AcceptMode2(Wire& w, const SimOptions& o, std::string* msg) {
    int first = AwaitStart(w, o, kCrcRequest);
    BatchHeader header;
    for (;;) {
        if (first < 0) return Fail(w, msg, "no header arrived");
        Block block;
        if (ReadFrame(w, first, true, &block) && block.number == 0) {
            header = ParseBatchHeader(block.data.data(), block.data.size());
            break;
        }
        w.Discard(50);
        w.Put(kNak);
        first = w.Get(o.timeout_ms);
    }
    w.Put(kAck);
    if (header.name.empty()) {
        *msg = "empty batch";
        return 0;
    }
    if (!header.size_valid) return Fail(w, msg, "size is not a number");
    w.Put(kCrcRequest);
    std::vector<uint8_t> file;
    bool eot = false;
    if (!AcceptBlocks(w, o, -1, true, o.timeout_ms, &file, &eot) || !eot) {
        return Fail(w, msg, "transfer broke off");
    }
    // The classic end of a batch: NAK the first EOT, ACK the second, ask for block 0.
    w.Put(kNak);
    if (w.Get(o.timeout_ms) != kEot) return Fail(w, msg, "no second EOT");
    w.Put(kAck);
    w.Put(kCrcRequest);
    int h = w.Get(o.timeout_ms);
    Block closing;
    if (h != kSoh || !ReadFrame(w, h, true, &closing)) return Fail(w, msg, "no closing block");
    w.Put(kAck);
    if (file.size() > header.size) file.resize(header.size);
    std::string path = o.path + "/" + SafeFileName(header.name);
    if (!WriteFile(path, file)) return Fail(w, msg, "cannot write " + path);
    *msg = "stored " + path + " (" + std::to_string(file.size()) + " bytes)";
    return 0;
}

// Sends one block until ACK; false on CAN, silence or too many NAKs.
bool SendBlock(Wire& w, const SimOptions& o, const std::vector<uint8_t>& frame) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        w.Put(frame.data(), frame.size());
        for (;;) {
            int r = w.Get(o.timeout_ms);
            if (r == kAck) return true;
            if (r < 0 || r == kCan) return false;
            if (r == kNak) break;
            // Anything else (a late CRC request) is noise: keep waiting.
        }
    }
    return false;
}

std::vector<std::vector<uint8_t>> DataFrames(const std::vector<uint8_t>& file, bool crc) {
    std::vector<std::vector<uint8_t>> frames;
    BlockPlan plan = PlanBlocks(file.size());
    size_t offset = 0;
    for (uint64_t k = 1; k <= plan.Total(); ++k) {
        size_t size = plan.SizeOf(k);
        std::vector<uint8_t> data(size, 0x1A);
        size_t take = std::min(size, file.size() - offset);
        std::copy_n(file.begin() + static_cast<long>(offset), take, data.begin());
        offset += take;
        frames.push_back(
            MakeFrame(size == 1024 ? kStx : kSoh, static_cast<uint8_t>(k), data.data(), size, crc));
    }
    return frames;
}

int AwaitRequest(Wire& w, const SimOptions& o, bool allow_nak) {
    auto deadline = Clock::now() + std::chrono::milliseconds(o.timeout_ms);
    while (Clock::now() < deadline) {
        int b = w.Get(o.timeout_ms);
        if (b == kCrcRequest || (allow_nak && b == kNak)) return b;
        if (b < 0) break;
    }
    return -1;
}

int SendMode1(Wire& w, const SimOptions& o, std::string* msg) {
    std::vector<uint8_t> file;
    std::string error;
    if (!ReadFile(o.path, file, error)) return Fail(w, msg, error);
    int request = AwaitRequest(w, o, true);
    if (request < 0) return Fail(w, msg, "nobody asked for the file");
    for (const auto& frame : DataFrames(file, request == kCrcRequest)) {
        if (!SendBlock(w, o, frame)) return Fail(w, msg, "a block was not taken");
    }
    w.Put(kEot);
    for (int i = 0; i < 10; ++i) {
        int r = w.Get(o.timeout_ms);
        if (r == kAck) {
            *msg = "sent " + o.path;
            return 0;
        }
        if (r < 0) break;
        if (r == kNak) w.Put(kEot);
    }
    return Fail(w, msg, "EOT not acknowledged");
}

int SendMode2(Wire& w, const SimOptions& o, std::string* msg) {
    std::vector<uint8_t> file;
    std::string error;
    if (!ReadFile(o.path, file, error)) return Fail(w, msg, error);
    std::string name = o.name.empty() ? o.path : o.name;
    if (AwaitRequest(w, o, false) < 0) return Fail(w, msg, "nobody asked for the file");
    std::string header = BuildBatchHeader(name, file.size());
    if (!o.name.empty()) {
        // The given name goes out as it is, for tests of hostile names.
        header.assign(o.name);
        header.push_back('\0');
        header += std::to_string(file.size());
        header.push_back('\0');
        header.resize(header.size() <= 128 ? 128 : 1024, '\0');
    }
    auto bytes = reinterpret_cast<const uint8_t*>(header.data());
    if (!SendBlock(w, o,
                   MakeFrame(header.size() == 128 ? kSoh : kStx, 0, bytes, header.size(), true))) {
        return Fail(w, msg, "header not taken");
    }
    if (AwaitRequest(w, o, false) < 0) return Fail(w, msg, "no request for data");
    for (const auto& frame : DataFrames(file, true)) {
        if (!SendBlock(w, o, frame)) return Fail(w, msg, "a block was not taken");
    }
    w.Put(kEot);
    if (w.Get(o.timeout_ms) != kNak) return Fail(w, msg, "first EOT not refused");
    w.Put(kEot);
    if (w.Get(o.timeout_ms) != kAck) return Fail(w, msg, "second EOT not acknowledged");
    if (AwaitRequest(w, o, false) < 0) return Fail(w, msg, "no request for the closing block");
    uint8_t zeros[128] = {};
    if (!SendBlock(w, o, MakeFrame(kSoh, 0, zeros, sizeof zeros, true))) {
        return Fail(w, msg, "closing block not taken");
    }
    *msg = "sent " + o.path;
    return 0;
}

}  // namespace

int RunSim(int fd, const SimOptions& o, std::string* message) {
    std::string local;
    std::string* msg = message ? message : &local;
    Wire w(fd, o);
    if (o.silent) return Silent(w, o, msg);
    if (o.mode == 1) return o.send ? SendMode1(w, o, msg) : AcceptMode1(w, o, msg);
    return o.send ? SendMode2(w, o, msg) : AcceptMode2(w, o, msg);
}

}  // namespace brondavel::sim
