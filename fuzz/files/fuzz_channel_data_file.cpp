// Any bytes as a first-generation database file: load, rebuild, build the
// file again. Nothing may crash or touch memory out of bounds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "files/channel_data_file.h"
#include "model/memory_controls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz-cdf-" + std::to_string(::getpid()) + ".ZCS";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    brondavel::ChannelDataFile file(path, 2, 3, 2);
    if (file.Load()) {
        brondavel::MemoryListControl list;
        for (int kind = 0; kind < 5; ++kind) file.db().Refresh(kind, &list);
        file.BuildFile();
    }
    return 0;
}
