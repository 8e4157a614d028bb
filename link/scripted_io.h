// A transfer line fed from a byte buffer: the framings run without a port,
// for tests and fuzzing. The line counts as hung up once the input is used up.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "link/protocol.h"

namespace brondavel::link {

class ScriptedIo : public TransferIo {
  public:
    ScriptedIo(const uint8_t* data, size_t size) : input_(data, data + size) {}
    size_t ReadTimed(uint8_t* buffer, size_t count, int) override {
        if (count == 0 || input_.size() - pos_ < count) {
            pos_ = input_.size();
            return 0;
        }
        std::copy_n(input_.begin() + static_cast<long>(pos_), count, buffer);
        pos_ += count;
        return count;
    }
    size_t WriteAll(const uint8_t* buffer, size_t count) override {
        // From write number failing_write on, the line takes nothing.
        if (writes++ >= failing_write) return 0;
        output.insert(output.end(), buffer, buffer + count);
        return count;
    }
    void Purge() override {}
    bool HungUp() override { return pos_ >= input_.size(); }
    bool Running() override { return running; }
    bool Paused() override { return false; }
    void SleepMs(int) override {}
    void Notify(uint32_t message, uintptr_t, uintptr_t) override { messages.push_back(message); }
    void NameReceived(const std::string& n) override { name = n; }

    bool running = true;
    size_t failing_write = SIZE_MAX;
    size_t writes = 0;
    std::vector<uint8_t> output;
    std::vector<uint32_t> messages;
    std::string name;

  private:
    std::vector<uint8_t> input_;
    size_t pos_ = 0;
};

class MemorySink : public ByteSink {
  public:
    bool Write(const uint8_t* d, size_t n) override {
        data.insert(data.end(), d, d + n);
        return true;
    }
    void Close() override { closed = true; }
    uint64_t Written() const override { return data.size(); }
    std::vector<uint8_t> data;
    bool closed = false;
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::vector<uint8_t> d) : data(std::move(d)) {}
    uint64_t Size() override { return data.size(); }
    size_t Read(uint8_t* buffer, size_t count) override {
        size_t n = std::min(count, data.size() - pos);
        std::copy_n(data.begin() + static_cast<long>(pos), n, buffer);
        pos += n;
        return n;
    }
    std::vector<uint8_t> data;
    size_t pos = 0;
};

// A block as a sender frames it: header, number, complement, data, CRC.
inline std::vector<uint8_t> ScriptedFrame(uint8_t header, uint8_t number,
                                          const std::vector<uint8_t>& data) {
    std::vector<uint8_t> f(data.size() + 3);
    f[0] = header;
    f[1] = number;
    f[2] = static_cast<uint8_t>(0xFF - number);
    std::copy(data.begin(), data.end(), f.begin() + 3);
    const uint16_t c = Crc16(data.data(), data.size());
    f.push_back(static_cast<uint8_t>(c >> 8));
    f.push_back(static_cast<uint8_t>(c));
    return f;
}

// The data blocks of a file as the block plan cuts it, the last one zero-filled.
inline std::vector<uint8_t> ScriptedBlocks(const std::vector<uint8_t>& file) {
    std::vector<uint8_t> script;
    const BlockPlan plan = PlanBlocks(file.size());
    size_t at = 0;
    for (uint64_t k = 1; k <= plan.Total(); ++k) {
        std::vector<uint8_t> data(plan.SizeOf(k), 0);
        const size_t n = std::min(data.size(), file.size() - at);
        std::copy_n(file.begin() + static_cast<long>(at), n, data.begin());
        at += n;
        auto frame =
            ScriptedFrame(data.size() == 1024 ? kStx : kSoh, static_cast<uint8_t>(k), data);
        script.insert(script.end(), frame.begin(), frame.end());
    }
    return script;
}

}  // namespace brondavel::link
