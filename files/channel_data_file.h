// The first-generation database file: a 128-byte "ZCXT"/"CHAN" header and
// five fixed regions holding the receiver image, never compressed.
#pragma once

#include <array>
#include <vector>

#include "files/database_file.h"
#include "model/first_gen_database.h"

namespace brondavel {

class ChannelDataFile : public DatabaseFile {
  public:
    static constexpr size_t kHeaderSize = 128;
    static constexpr size_t kPayloadSize = 335872;
    static constexpr size_t kFileSize = kHeaderSize + kPayloadSize;  // 336000
    static constexpr size_t kImageBufferSize = 312956;

    struct Region {
        size_t payloadOffset, regionSize, imageOffset, bytesCopied;
    };
    static constexpr std::array<Region, 5> kRegions{{
        {0, 8192, 0, 2828},
        {8192, 65536, 2828, 48972},
        {73728, 196608, 51800, 196012},
        {270336, 61440, 247812, 61612},
        {331776, 4096, 309424, 44},
    }};
    // Where section 4 may also stand: right after the radio section.
    static constexpr size_t kSection4AltOffset = 331948;

    ChannelDataFile(std::string path, int model, int flashType, int compressMode);

    int LoadBytes(const std::vector<uint8_t>& data) override;
    size_t ReadLimit() const override { return kFileSize; }
    int ImageToDatabase() override;
    int Save(const std::string& path) override;
    int PrintSource(const std::string& path) override;

    const std::array<uint8_t, kHeaderSize>& header() const { return header_; }
    const std::vector<uint8_t>& image() const { return image_; }
    // The header's save date, "YYYYMMDD" (the bytes as they are).
    std::string HeaderDate() const;

    // Rebuilds the image from the database; the database is not changed.
    void RebuildImage();
    // The complete file Save would write (header with today's date).
    std::vector<uint8_t> BuildFile();

  private:
    std::vector<uint8_t> image_;
    std::array<uint8_t, kHeaderSize> header_{};
    bool headerLoaded_ = false;
    // Image bytes the loaded file held; records beyond them are not loaded.
    size_t imageHeld_ = FirstGenImage::kSize;
};

}  // namespace brondavel
