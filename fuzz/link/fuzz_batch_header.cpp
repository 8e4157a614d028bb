// Block 0 parsing and the name clean-up, on arbitrary bytes.
#include <cstdint>
#include <cstring>

#include "link/protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brondavel::link;
    BatchHeader h = ParseBatchHeader(data, size);
    if (h.name.size() > kMaxReceivedName || h.size_text.size() > kMaxSizeText) __builtin_trap();
    std::string safe = SafeFileName(h.name);
    if (safe.empty() || safe.find('/') != std::string::npos || safe == "." || safe == "..") {
        __builtin_trap();
    }
    std::string built = BuildBatchHeader(h.name, h.size);
    if (built.size() != 128) __builtin_trap();
    return 0;
}
