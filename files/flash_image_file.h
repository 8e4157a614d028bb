// The second-generation database file: a 128-byte header and six regions
// sized by the flash class, stored plain, LH5-compressed as a whole or
// compressed section by section. Nothing in the file says which: it opens
// correctly only with the flash type and mode that saved it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "files/database_file.h"
#include "model/second_gen_database.h"

namespace brondavel {

class FlashImageFile : public DatabaseFile {
  public:
    static constexpr size_t kHeaderSize = 128;
    static constexpr size_t kImageSize = SecondGenImage::kSize;
    // Where section-compressed blocks are decoded.
    static constexpr size_t kScratchSize = 0x180000;
    static constexpr uint16_t kFormatWord = 6;
    static constexpr std::array<uint8_t, 4> kMagic{0x7A, 0x34, 0x86, 0xA3};
    // Section order of the regions in the plain and whole-file payloads...
    static constexpr std::array<int, 6> kPlainOrder{1, 2, 3, 0, 4, 5};
    // ...and in the section-compressed payload.
    static constexpr std::array<int, 6> kSectionOrder{2, 3, 1, 0, 4, 5};
    // Record-area bytes compressed per section in the per-section mode (the
    // whole area, so the loader gets back every record it restores).
    static constexpr std::array<size_t, 6> kCompressedArea{0, 64000, 192000, 96000, 6720, 0};

    enum Compression { kPlain = 0, kWholeFile = 1, kPerSection = 2 };

    FlashImageFile(std::string path, int model, int flashType, int compressMode);

    int LoadBytes(const std::vector<uint8_t>& data) override;
    // No payload of this class, nor its compressed form, is longer.
    size_t ReadLimit() const override;
    int ImageToDatabase() override;
    int Save(const std::string& path) override;

    // 2 or 4 (MB) for the flash type, 0 when it has no class.
    static int FlashClass(int flashType);
    // The section's region in the payload, and how many bytes of the image
    // section a file carries; 0 for a section outside 0-5 or no flash class.
    static size_t RegionSize(int flashType, int section);
    static size_t StoredSize(int flashType, int section);
    size_t RegionSize(int section) const { return RegionSize(flashType, section); }
    size_t StoredSize(int section) const { return StoredSize(flashType, section); }
    // Sum of the six regions: 233472 (2 MB), 479232 (4 MB) or 0.
    static size_t PayloadLength(int flashType);
    // Records of a kind (0-3) the plain and whole-file payloads keep whole.
    static int ClassCapacity(int flashType, int kind);

    const std::vector<uint8_t>& image() const { return image_; }
    // The header every save writes.
    std::array<uint8_t, kHeaderSize> BuildHeader() const;
    // Rebuilds the image from the database; the database is not changed.
    void RebuildImage();
    // The complete file Save would write. False with `error` set when the
    // database cannot be stored in this flash class and mode.
    bool BuildFile(std::vector<uint8_t>& file, std::string& error);
    // Lists longer than a plain or whole-file payload of this flash class
    // keeps (per-section files are limited by their compressed size instead).
    std::vector<std::string> CapacityProblems() const;

  private:
    void LoadPayload(const std::vector<uint8_t>& data, uint32_t stated);
    void DistributePlain(const std::vector<uint8_t>& payload);
    void LoadSections(const std::vector<uint8_t>& payload, size_t available);
    std::vector<uint8_t> PlainPayload() const;
    bool SectionPayload(std::vector<uint8_t>& payload, std::string& error) const;

    std::vector<uint8_t> image_;
};

}  // namespace brondavel
