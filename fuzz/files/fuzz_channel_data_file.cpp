// Any bytes as a first-generation database file: load, rebuild, build the
// file again. Nothing may crash or touch memory out of bounds.
#include <cstdint>
#include <vector>

#include "files/channel_data_file.h"
#include "model/memory_controls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brondavel::ChannelDataFile file("fuzz.ZCS", 2, 3, 2);
    if (file.LoadBytes(std::vector<uint8_t>(data, data + size))) {
        brondavel::MemoryListControl list;
        for (int kind = 0; kind < 5; ++kind) file.db().Refresh(kind, &list);
        file.BuildFile();
    }
    return 0;
}
