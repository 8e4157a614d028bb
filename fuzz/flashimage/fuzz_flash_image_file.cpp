// Any bytes as a flash-image file read in one compression mode (fixed per
// target): the first byte picks the flash type, the rest is the file. Load,
// show every list, rebuild and, for the plain mode, build the file again.
// Nothing may crash or touch memory out of bounds.

#include <cstdint>
#include <string>
#include <vector>

#include "files/flash_image_file.h"
#include "model/memory_controls.h"

#ifndef FLASH_MODE
#define FLASH_MODE 0
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    brondavel::FlashImageFile file("fuzz.bin", 0, data[0] % 5, FLASH_MODE);
    if (file.LoadBytes(std::vector<uint8_t>(data + 1, data + size))) {
        brondavel::MemoryListControl list;
        for (int kind = 0; kind < 5; ++kind) file.db().Refresh(kind, &list);
        if (FLASH_MODE == 0) {
            std::vector<uint8_t> out;
            std::string error;
            file.BuildFile(out, error);
        } else {
            file.RebuildImage();
        }
    }
    return 0;
}
