// The receiver link's readers on arbitrary bytes, one target each (LINK_TARGET):
// 0, block 0 parsing and the name clean-up; 1, both block receivers fed from a
// byte buffer (bit 0 of the first byte picks the mode; with bit 7 set, bits 1-6
// name the write from which the line fails); 2, "Serial.ini" as a hand edit may
// leave it: any bytes load, and the settings taken are always ones the port can use.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "link/protocol.h"
#include "link/receiver_link.h"
#include "link/scripted_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brondavel::link;
#if LINK_TARGET == 0
    BatchHeader h = ParseBatchHeader(data, size);
    if (h.name.size() > kMaxReceivedName || h.size_text.size() > kMaxSizeText) __builtin_trap();
    std::string safe = SafeFileName(h.name);
    if (safe.empty() || safe.find('/') != std::string::npos || safe == "." || safe == "..")
        __builtin_trap();
    if (BuildBatchHeader(h.name, h.size).size() != 128) __builtin_trap();
#elif LINK_TARGET == 1
    if (size < 1) return 0;
    ScriptedIo io(data + 1, size - 1);
    if (data[0] & 0x80) io.failing_write = (data[0] >> 1) & 0x3F;
    MemorySink sink;
    uint16_t r = (data[0] & 1) ? ReceiveMode1(io, sink) : ReceiveMode2(io, sink);
    if (r != kResultOk && r != kResultFailed && r != kResultCancelled) __builtin_trap();
    // A success is reported only when every write reached the line (the closing
    // ACK of a batch aside, which comes after the file is whole).
    if (r == kResultOk && io.failing_write != SIZE_MAX && io.writes > io.failing_write + 1)
        __builtin_trap();
#else
    // A file in memory: nothing is left behind in /tmp.
    const int fd = ::memfd_create("serial-ini", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (size > 0 && ::write(fd, data, size) != static_cast<ssize_t>(size)) {
        ::close(fd);
        return 0;
    }
    ReceiverLink link(nullptr);
    link.LoadSettings("/proc/self/fd/" + std::to_string(fd));
    ::close(fd);
    const LineSettings& s = link.Port().Settings();
    const int id = link.Port().PortNumber();
    if (id < 1 || id > 9 || !IsSupportedBaudRate(s.baud_rate) || s.byte_size < 5 ||
        s.byte_size > 8 || s.stop_bits > 2 || s.parity > 4)
        __builtin_trap();
    AssignPortDevice(id, "");
#endif
    return 0;
}
