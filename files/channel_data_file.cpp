#include "files/channel_data_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "files/atomic_file.h"
#include "files/source_export.h"

namespace brondavel {

ChannelDataFile::ChannelDataFile(std::string path, int model, int flashType, int compressMode)
    : DatabaseFile(std::move(path), model, flashType, compressMode), image_(kImageBufferSize, 0) {
    database = std::make_unique<FirstGenDatabase>();
}

int ChannelDataFile::LoadBytes(const std::vector<uint8_t>& whole) {
    if (whole.size() < kHeaderSize)
        return Fail("The file \"" + path + "\" is not a channel database (too short).");
    const std::span<const uint8_t> data(whole.data(), std::min(whole.size(), kFileSize));
    std::memcpy(header_.data(), data.data(), kHeaderSize);
    loadWarnings_.clear();
    headerLoaded_ = true;
    loadedSize_ = whole.size();
    truncated_ = false;
    imageHeld_ = FirstGenImage::kSize;

    headerValid_ = std::memcmp(header_.data(), "ZCXT", 4) == 0 &&
                   std::memcmp(header_.data() + 8, "CHAN", 4) == 0;
    if (headerValid_) {
        // Bytes the file does not hold read as 0xFF, as erased flash does.
        std::vector<uint8_t> payload(kPayloadSize, 0xFF);
        const size_t held = data.size() - kHeaderSize;
        std::memcpy(payload.data(), data.data() + kHeaderSize, held);
        for (size_t i = 0; i < 4; ++i) {
            const Region& r = kRegions[i];
            std::memcpy(image_.data() + r.imageOffset, payload.data() + r.payloadOffset,
                        r.bytesCopied);
            // The regions follow each other in the image as in the file, so the
            // end of the file is one point in the image.
            if (held < r.payloadOffset + r.bytesCopied && imageHeld_ == FirstGenImage::kSize)
                imageHeld_ = r.imageOffset + (held > r.payloadOffset ? held - r.payloadOffset : 0);
        }
        const Region& s4 = kRegions[4];
        if (ReadU16(payload.data() + s4.payloadOffset) == FirstGenImage::kSection4Magic)
            std::memcpy(image_.data() + s4.imageOffset, payload.data() + s4.payloadOffset,
                        s4.bytesCopied);
        else if (ReadU16(payload.data() + kSection4AltOffset) == FirstGenImage::kSection4Magic)
            std::memcpy(image_.data() + s4.imageOffset, payload.data() + kSection4AltOffset,
                        s4.bytesCopied);
        truncated_ = held < kPayloadSize;
        if (truncated_)
            loadWarnings_.push_back("The file ends " + std::to_string(kPayloadSize - held) +
                                    " bytes early; records beyond its end were not loaded.");
    } else {
        loadWarnings_.push_back(
            "The file header is not a channel database header (\"ZCXT\"/"
            "\"CHAN\"); the file opened as an empty database.");
    }
    ImageToDatabase();
    for (int kind = 0; kind < 4; ++kind) {
        const ImageSection& s = database->layout().Sections()[kind];
        if (database->StatedCount(s.kind) > s.capacity)
            loadWarnings_.push_back("The file states more records than the image holds.");
    }
    return 1;
}

int ChannelDataFile::ImageToDatabase() {
    // The lists are built from the image alone, also when the file is read again.
    database = std::make_unique<FirstGenDatabase>();
    database->LoadImage(std::span<const uint8_t>(image_).first(imageHeld_));
    return 1;
}

void ChannelDataFile::RebuildImage() {
    imageHeld_ = FirstGenImage::kSize;
    database->RebuildImage(std::span<uint8_t>(image_).first(FirstGenImage::kSize));
}

std::string ChannelDataFile::HeaderDate() const {
    return std::string(reinterpret_cast<const char*>(header_.data() + 16), 8);
}

std::vector<uint8_t> ChannelDataFile::BuildFile() {
    RebuildImage();
    std::array<uint8_t, kHeaderSize> header = header_;
    if (!headerLoaded_) {
        // A database that never came from a file still needs a header and a
        // section 4 the receiver (and our own loader) recognise.
        std::memcpy(header.data(), "ZCXT", 4);
        std::memcpy(header.data() + 8, "CHAN", 4);
        if (ReadU16(image_.data() + FirstGenImage::kSection4Offset) == 0)
            WriteU16(image_.data() + FirstGenImage::kSection4Offset, FirstGenImage::kSection4Magic);
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", (local.tm_year + 1900) % 10000,
                  (local.tm_mon + 1) % 100, local.tm_mday % 100);
    std::memcpy(header.data() + 16, date, 8);
    std::memcpy(header.data() + 24, "0000", 4);

    std::vector<uint8_t> file(kFileSize, 0xFF);
    std::memcpy(file.data(), header.data(), kHeaderSize);
    uint8_t* payload = file.data() + kHeaderSize;
    // Section 4 goes last, over the start of the radio bytes that reach into
    // region 4: unused record slots while at most 1096 channels are stored.
    for (const Region& r : kRegions)
        std::memcpy(payload + r.payloadOffset, image_.data() + r.imageOffset, r.bytesCopied);
    return file;
}

int ChannelDataFile::Save(const std::string& target) {
    const int radio = database->Count(kRadio);
    if (radio > FirstGenImage::kRadioFileCapacity)
        return Fail("The database holds " + std::to_string(radio) +
                    " radio channels; a file keeps at most " +
                    std::to_string(FirstGenImage::kRadioFileCapacity) +
                    ". Delete some radio channels before saving.");
    for (const ImageSection& s : database->layout().Sections())
        if (database->Count(s.kind) > s.capacity)
            return Fail("The database holds more records than the file can keep.");
    const std::vector<uint8_t> file = BuildFile();
    std::string error;
    if (!WriteFileAtomically(target, {file}, error)) return Fail(error);
    database->MarkSaved();  // undo back to here is clean again
    return 1;
}

int ChannelDataFile::PrintSource(const std::string& target) {
    RebuildImage();
    const std::string table = DefaultChannelTable(std::span<const uint8_t>(image_));
    std::string error;
    if (!WriteFileAtomically(
            target, {std::span(reinterpret_cast<const uint8_t*>(table.data()), table.size())},
            error))
        return Fail(error);
    return 1;
}

}  // namespace brondavel
