#include "files/database_file.h"

#include "files/channel_data_file.h"
#include "files/flash_image_file.h"
#include "files/read_file.h"

namespace brondavel {

int DatabaseFile::Load() {
    InputBytes input;
    std::string error;
    if (!ReadInput(path, input, error, ReadLimit())) return Fail(error);
    const int loaded = LoadBytes(input.data);
    loadedSize_ = input.size;
    return loaded;
}

std::unique_ptr<DatabaseFile> MakeDatabaseFile(const std::string& path, int model, int flashType,
                                               int compressMode) {
    if (model == 2) return std::make_unique<ChannelDataFile>(path, model, flashType, compressMode);
    if (model == 0 || model == 1)
        return std::make_unique<FlashImageFile>(path, model, flashType, compressMode);
    return nullptr;
}

}  // namespace brondavel
