#include "files/flash_image_file.h"

#include <algorithm>
#include <cstring>

#include "files/atomic_file.h"
#include "files/lh5/lh5_codec.h"

namespace brondavel {

namespace {

constexpr size_t kRegion2M[6] = {4096, 24576, 131072, 65536, 4096, 4096};
constexpr size_t kRegion4M[6] = {8192, 131072, 196608, 131072, 8192, 4096};
constexpr size_t kStored2M[6] = {3852, 24576, 131072, 65536, 4096, 1548};
constexpr size_t kStored4M[6] = {3852, 64012, 192012, 96012, 6732, 1548};
constexpr const char* kSectionNames[6] = {"satellite section",  "transponder section",
                                          "TV channel section", "radio channel section",
                                          "section 4",          "section 5"};
constexpr const char* kListNames[4] = {"satellites", "transponders", "TV channels",
                                       "radio channels"};
constexpr uint32_t kHeaderTail = 0x12345678;

std::string ClassName(int flashType) {
    return std::to_string(FlashImageFile::FlashClass(flashType)) + " MB";
}

}  // namespace

FlashImageFile::FlashImageFile(std::string path, int model, int flashType, int compressMode)
    : DatabaseFile(std::move(path), model, flashType, compressMode), image_(kImageSize, 0) {
    database = std::make_unique<SecondGenDatabase>();
}

int FlashImageFile::FlashClass(int flashType) {
    if (flashType == 1 || flashType == 3) return 2;
    if (flashType == 2 || flashType == 4) return 4;
    return 0;
}

size_t FlashImageFile::RegionSize(int flashType, int section) {
    if (section < 0 || section > 5) return 0;
    const int c = FlashClass(flashType);
    return c == 2 ? kRegion2M[section] : c == 4 ? kRegion4M[section] : 0;
}

size_t FlashImageFile::StoredSize(int flashType, int section) {
    if (section < 0 || section > 5) return 0;
    const int c = FlashClass(flashType);
    return c == 2 ? kStored2M[section] : c == 4 ? kStored4M[section] : 0;
}

size_t FlashImageFile::PayloadLength(int flashType) {
    size_t sum = 0;
    for (int s = 0; s < 6; ++s) sum += RegionSize(flashType, s);
    return sum;
}

int FlashImageFile::ClassCapacity(int flashType, int kind) {
    if (kind < 0 || kind > 3) return 0;
    const ImageSection& s = SecondGenLayout().Sections()[kind];
    const size_t stored = StoredSize(flashType, kind);  // section index == kind here
    if (stored < SecondGenImage::kSectionHeader) return 0;
    return std::min<int>(
        s.capacity, static_cast<int>((stored - SecondGenImage::kSectionHeader) / s.recordSize));
}

size_t FlashImageFile::ReadLimit() const {
    return kHeaderSize + PayloadLength(flashType) + lh5::kBlockOverhead;
}

int FlashImageFile::LoadBytes(const std::vector<uint8_t>& whole) {
    const std::vector<uint8_t> data(whole.begin(),
                                    whole.begin() + std::min(whole.size(), ReadLimit()));
    image_.assign(kImageSize, 0);
    loadWarnings_.clear();
    loadedSize_ = whole.size();
    truncated_ = false;
    headerValid_ = data.size() >= kHeaderSize && ReadU16(data.data()) == kFormatWord &&
                   std::equal(kMagic.begin(), kMagic.end(), data.begin() + 16);
    if (headerValid_) {
        LoadPayload(data, ReadU32(data.data() + 12));
    } else {
        loadWarnings_.push_back(
            "The file header is not a flash-image header (format word 6, "
            "magic 7A 34 86 A3); the file opened as an empty database.");
    }
    ImageToDatabase();
    for (const ImageSection& s : database->layout().Sections()) {
        const int stated = database->StatedCount(s.kind);
        if (stated > s.capacity)
            loadWarnings_.push_back("The file states " + std::to_string(stated) + " " +
                                    kListNames[s.kind] + "; the image holds " +
                                    std::to_string(s.capacity) + ".");
        else if (headerValid_ && compressMode != kPerSection &&
                 stated > ClassCapacity(flashType, s.kind))
            loadWarnings_.push_back("The file states " + std::to_string(stated) + " " +
                                    kListNames[s.kind] + "; a " + ClassName(flashType) +
                                    " file keeps only " +
                                    std::to_string(ClassCapacity(flashType, s.kind)) + " whole.");
    }
    return 1;
}

void FlashImageFile::LoadPayload(const std::vector<uint8_t>& data, uint32_t stated) {
    const size_t length = PayloadLength(flashType);
    const size_t available = data.size() - kHeaderSize;
    const uint8_t* in = data.data() + kHeaderSize;
    if (stated == 0) return;
    if (compressMode < kPlain || compressMode > kPerSection) {
        loadWarnings_.push_back("Compress mode " + std::to_string(compressMode) +
                                " is unknown; no records were read.");
        return;
    }
    if (length == 0) {
        loadWarnings_.push_back("Flash type " + std::to_string(flashType) +
                                " has no flash class; no records were read.");
        return;
    }
    if (compressMode == kWholeFile) {
        // The stated length counts uncompressed bytes; the block is what follows.
        std::vector<uint8_t> payload(length, 0xFF);
        const size_t blockBytes = std::min<size_t>(stated, available);
        const lh5::DecodeResult r = lh5::Decode(in, blockBytes, payload.data(), payload.size());
        truncated_ = r.status == lh5::DecodeStatus::kTruncated;
        if (!r.ok())
            loadWarnings_.push_back(std::string("The compressed payload is damaged (") +
                                    lh5::DescribeStatus(r.status) +
                                    "); the records it held may be lost or wrong.");
        DistributePlain(payload);
        return;
    }
    if (stated > length)
        loadWarnings_.push_back("The file states a payload of " + std::to_string(stated) +
                                " bytes; a " + ClassName(flashType) + " file has " +
                                std::to_string(length) + ". Check the flash type.");
    const size_t wanted = std::min<size_t>(stated, length);
    truncated_ = available < wanted;
    if (truncated_)
        loadWarnings_.push_back("The file ends " + std::to_string(wanted - available) +
                                " bytes early; the missing bytes read as erased flash.");
    // Bytes the file does not hold read as 0xFF, as erased flash does.
    std::vector<uint8_t> payload(length, 0xFF);
    const size_t got = std::min(wanted, available);
    std::memcpy(payload.data(), in, got);
    if (compressMode == kPlain)
        DistributePlain(payload);
    else
        LoadSections(payload, got);
}

void FlashImageFile::DistributePlain(const std::vector<uint8_t>& payload) {
    size_t offset = 0;
    for (int s : kPlainOrder) {
        const size_t n = std::min(StoredSize(s), payload.size() - std::min(offset, payload.size()));
        std::memcpy(image_.data() + SecondGenImage::kSectionOffset[s], payload.data() + offset, n);
        offset += RegionSize(s);
    }
}

void FlashImageFile::LoadSections(const std::vector<uint8_t>& payload, size_t available) {
    constexpr size_t kHeader = SecondGenImage::kSectionHeader;
    std::vector<uint8_t> scratch;
    size_t offset = 0;
    for (int s : kSectionOrder) {
        const size_t region = RegionSize(s);
        uint8_t* section = image_.data() + SecondGenImage::kSectionOffset[s];
        if (kCompressedArea[s] == 0) {
            std::memcpy(section, payload.data() + offset, StoredSize(s));
        } else if (region >= kHeader) {
            std::memcpy(section, payload.data() + offset, kHeader);
            // The block may not reach past its region nor past what was read.
            const size_t start = offset + kHeader;
            const size_t blockBytes =
                available > start ? std::min(available - start, region - kHeader) : 0;
            scratch.assign(kScratchSize, 0xFF);
            const lh5::DecodeResult r =
                lh5::Decode(payload.data() + start, blockBytes, scratch.data(), scratch.size());
            if (!r.ok())
                loadWarnings_.push_back(std::string("The compressed ") + kSectionNames[s] +
                                        " is damaged (" + lh5::DescribeStatus(r.status) +
                                        "); its records may be lost or wrong.");
            const size_t area = SecondGenImage::kSectionLength[s] - kHeader;
            std::memcpy(section + kHeader, scratch.data(), area);
        }
        offset += region;
    }
}

int FlashImageFile::ImageToDatabase() {
    // The lists are built from the image alone, also when it is read again.
    database = std::make_unique<SecondGenDatabase>();
    database->LoadImage(image_);
    return 1;
}

void FlashImageFile::RebuildImage() {
    database->RebuildImage(image_);
}

std::array<uint8_t, FlashImageFile::kHeaderSize> FlashImageFile::BuildHeader() const {
    std::array<uint8_t, kHeaderSize> h{};
    h.fill(0xFF);
    WriteU16(h.data() + 0, kFormatWord);
    WriteU16(h.data() + 2, 0);
    WriteU16(h.data() + 4, 4096);
    WriteU16(h.data() + 6, 100);
    WriteU16(h.data() + 8, 0);
    WriteU16(h.data() + 10, 0);
    WriteU32(h.data() + 12, static_cast<uint32_t>(PayloadLength(flashType)));
    std::copy(kMagic.begin(), kMagic.end(), h.begin() + 16);
    WriteU32(h.data() + 120, kHeaderTail);
    WriteU32(h.data() + 124, kHeaderTail);
    return h;
}

std::vector<std::string> FlashImageFile::CapacityProblems() const {
    std::vector<std::string> problems;
    for (int kind = 0; kind < 4; ++kind) {
        const int count = database->Count(kind), capacity = ClassCapacity(flashType, kind);
        if (count <= capacity) continue;
        problems.push_back(std::string(kListNames[kind]) + ": " + std::to_string(count) +
                           " in the database, but " +
                           (FlashClass(flashType)
                                ? "a " + ClassName(flashType) + " flash file"
                                : "a file of flash type " + std::to_string(flashType)) +
                           " keeps at most " + std::to_string(capacity));
    }
    return problems;
}

std::vector<uint8_t> FlashImageFile::PlainPayload() const {
    std::vector<uint8_t> payload(PayloadLength(flashType), 0xFF);
    size_t offset = 0;
    for (int s : kPlainOrder) {
        std::memcpy(payload.data() + offset, image_.data() + SecondGenImage::kSectionOffset[s],
                    StoredSize(s));
        offset += RegionSize(s);
    }
    return payload;
}

bool FlashImageFile::SectionPayload(std::vector<uint8_t>& payload, std::string& error) const {
    constexpr size_t kHeader = SecondGenImage::kSectionHeader;
    payload.assign(PayloadLength(flashType), 0xFF);
    std::vector<uint8_t> block;
    size_t offset = 0;
    for (int s : kSectionOrder) {
        const size_t region = RegionSize(s);
        const uint8_t* section = image_.data() + SecondGenImage::kSectionOffset[s];
        if (kCompressedArea[s] == 0) {
            std::memcpy(payload.data() + offset, section, StoredSize(s));
            offset += region;
            continue;
        }
        const size_t area = kCompressedArea[s];
        block.assign(lh5::CompressBound(area), 0);
        const int64_t n = lh5::Compress(section + kHeader, area, block.data(), block.size());
        if (n < 0) {
            error = std::string("The ") + kSectionNames[s] +
                    " cannot be compressed (the LH5 block would not be smaller than its " +
                    std::to_string(area) + " bytes); nothing was written.";
            return false;
        }
        const size_t even = (static_cast<size_t>(n) + 1) & ~size_t(1);
        if (kHeader + even > region) {
            error = std::string("The compressed ") + kSectionNames[s] + " needs " +
                    std::to_string(kHeader + even) + " bytes, but its region in a " +
                    ClassName(flashType) + " file holds " + std::to_string(region) +
                    "; remove some records or choose another mode. Nothing was written.";
            return false;
        }
        uint8_t* out = payload.data() + offset;
        std::memcpy(out, section, kHeader);
        WriteU32(out + 4, static_cast<uint32_t>(even));
        std::memcpy(out + kHeader, block.data(), static_cast<size_t>(n));
        offset += region;
    }
    return true;
}

bool FlashImageFile::BuildFile(std::vector<uint8_t>& file, std::string& error) {
    if (compressMode < kPlain || compressMode > kPerSection) {
        error = "Compress mode " + std::to_string(compressMode) +
                " is not supported (0 none, 1 whole file, 2 per section); nothing was written.";
        return false;
    }
    RebuildImage();
    const std::array<uint8_t, kHeaderSize> header = BuildHeader();
    std::vector<uint8_t> payload;
    if (PayloadLength(flashType) == 0 || compressMode != kPerSection) {
        const std::vector<std::string> problems = CapacityProblems();
        if (!problems.empty()) {
            error = "The database does not fit the file: " + problems.front() +
                    ". Delete records or choose a larger flash type; nothing was written.";
            return false;
        }
    }
    if (PayloadLength(flashType) == 0) {
        // No flash class, no regions: the file is its header.
    } else if (compressMode == kPerSection) {
        if (!SectionPayload(payload, error)) return false;
    } else {
        payload = PlainPayload();
        if (compressMode == kWholeFile) {
            std::vector<uint8_t> block(lh5::CompressBound(payload.size()));
            const int64_t n =
                lh5::Compress(payload.data(), payload.size(), block.data(), block.size());
            if (n < 0) {
                error =
                    "The database cannot be compressed (the LH5 block would not be smaller "
                    "than the payload); nothing was written.";
                return false;
            }
            block.resize(static_cast<size_t>(n));
            payload = std::move(block);
        }
    }
    file.assign(header.begin(), header.end());
    file.insert(file.end(), payload.begin(), payload.end());
    return true;
}

int FlashImageFile::Save(const std::string& target) {
    std::vector<uint8_t> file;
    std::string error;
    if (!BuildFile(file, error)) return Fail(error);
    if (!WriteFileAtomically(target, {file}, error)) return Fail(error);
    database->MarkSaved();  // undo back to here is clean again
    return 1;
}

}  // namespace brondavel
