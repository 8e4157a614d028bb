// Both receivers fed from a byte buffer: the first byte picks the mode.
#include <cstdint>

#include "link/scripted_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brondavel::link;
    if (size < 1) return 0;
    ScriptedIo io(data + 1, size - 1);
    MemorySink sink;
    uint16_t r = (data[0] & 1) ? ReceiveMode1(io, sink) : ReceiveMode2(io, sink);
    if (r != kResultOk && r != kResultFailed && r != kResultCancelled) __builtin_trap();
    return 0;
}
