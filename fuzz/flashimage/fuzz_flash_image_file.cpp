// Any bytes as a database file, one target per FLASH_MODE: 0-2 a flash image
// in that compression mode (the first byte picks the flash type), 3 a channel
// file. Load, show every list, rebuild; nothing may touch memory out of bounds.
#include <cstdint>
#include <string>
#include <vector>

#include "files/channel_data_file.h"
#include "files/flash_image_file.h"
#include "model/memory_controls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    brondavel::MemoryListControl list;
    if (FLASH_MODE == 3) {
        brondavel::ChannelDataFile file("fuzz.ZCS", 2, 3, 2);
        if (!file.LoadBytes(std::vector<uint8_t>(data, data + size))) return 0;
        for (int kind = 0; kind < brondavel::kKindCount; ++kind) file.db().Refresh(kind, &list);
        file.BuildFile();
        return 0;
    }
    brondavel::FlashImageFile file("fuzz.bin", 0, data[0] % 5, FLASH_MODE);
    if (!file.LoadBytes(std::vector<uint8_t>(data + 1, data + size))) return 0;
    for (int kind = 0; kind < brondavel::kKindCount; ++kind) file.db().Refresh(kind, &list);
    std::vector<uint8_t> out;
    std::string error;
    if (FLASH_MODE == 0)
        file.BuildFile(out, error);
    else
        file.RebuildImage();
    return 0;
}
