// Both receivers fed from a byte buffer: bit 0 of the first byte picks the
// mode; with bit 7 set, bits 1-6 name the write from which the line fails.
#include <cstdint>

#include "link/scripted_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brondavel::link;
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
    return 0;
}
