#include "files/format_detect.h"

#include <algorithm>
#include <cstring>

#include "files/channel_data_file.h"
#include "files/flash_image_file.h"
#include "files/lh5/lh5_codec.h"
#include "files/read_file.h"

namespace brondavel {

namespace {

// The settings a file is read with, reduced to what changes the reading.
struct Setting {
    int model, flashType, compressMode;
};

Setting Normalise(int model, int flashType, int compressMode) {
    if (model == 2) return {2, 0, 0};
    const int flashClass = FlashImageFile::FlashClass(flashType);
    const int flash = flashClass == 2 ? 3 : flashClass == 4 ? 4 : 0;
    return {0, flash, flash == 0 ? 0 : compressMode};
}

std::string ClassText(int flashType) {
    return std::to_string(FlashImageFile::FlashClass(flashType)) + " MB";
}

// The LH5 block at data[at], when its header is readable; its length counts
// the end-of-archive byte the encoder writes after the member.
struct Block {
    lh5::MemberInfo info;
    size_t length;
};

std::optional<Block> BlockAt(const std::vector<uint8_t>& data, size_t at) {
    if (at >= data.size()) return std::nullopt;
    auto info = lh5::ReadMemberHeader(data.data() + at, data.size() - at);
    if (!info || info->method != '5') return std::nullopt;
    return Block{*info, info->headerSize + size_t{info->compressedSize} + 1};
}

bool FlashHeader(const std::vector<uint8_t>& data) {
    return data.size() >= FlashImageFile::kHeaderSize &&
           ReadU16(data.data()) == FlashImageFile::kFormatWord &&
           std::equal(FlashImageFile::kMagic.begin(), FlashImageFile::kMagic.end(),
                      data.begin() + 16);
}

bool ChannelDataHeader(const std::vector<uint8_t>& data) {
    return data.size() >= ChannelDataFile::kHeaderSize &&
           std::memcmp(data.data(), "ZCXT", 4) == 0 && std::memcmp(data.data() + 8, "CHAN", 4) == 0;
}

// Loads the file the way the given settings would and scores the database.
void ScoreDatabase(const std::string& path, const std::vector<uint8_t>& data, FormatCandidate& c) {
    auto file = MakeDatabaseFile(path, c.model, c.flashType, c.compressMode);
    if (!file || !file->LoadBytes(data)) return;
    const DatabaseEngine& db = file->db();
    const size_t warnings = file->loadWarnings().size();
    if (warnings > 0) {
        c.score -= 10 * static_cast<int>(std::min<size_t>(warnings, 3));
        c.evidence.push_back(std::to_string(warnings) + " load warning" +
                             (warnings > 1 ? "s" : ""));
    }
    int records = 0, orphans = 0;
    for (int kind = 0; kind < 4; ++kind) {
        for (const Record& r : db.list(kind).records()) {
            ++records;
            if (db.IsOrphan(kind, r)) ++orphans;
        }
    }
    if (records == 0) return;
    const int satellites = db.list(0).Count();
    const int channels = db.list(2).Count() + db.list(3).Count();
    if (orphans * 10 > records) {
        c.score -= 10;
        c.evidence.push_back(std::to_string(orphans) + " of " + std::to_string(records) +
                             " records refer to missing parents");
    } else if (satellites > 0 && channels > 0) {
        c.score += 10;
        c.evidence.push_back("a plausible database (" + std::to_string(satellites) +
                             " satellites, " + std::to_string(channels) + " channels)");
    }
}

FormatCandidate FirstGeneration(const std::vector<uint8_t>& data, uint64_t size) {
    FormatCandidate c;
    c.model = 2;
    c.expectedSize = ChannelDataFile::kFileSize;
    if (!ChannelDataHeader(data)) return c;
    c.score += 40;
    c.evidence.push_back("magic ZCXT/CHAN");
    if (size == ChannelDataFile::kFileSize) {
        c.score += 20;
        c.evidence.push_back(std::to_string(size) + " bytes, a whole file");
    }
    return c;
}

void ScorePlain(const std::vector<uint8_t>& data, uint64_t size, size_t length,
                FormatCandidate& c) {
    constexpr size_t kPayload = FlashImageFile::kHeaderSize;
    c.expectedSize = kPayload + length;
    if (BlockAt(data, kPayload) || BlockAt(data, kPayload + SecondGenImage::kSectionHeader)) {
        c.score -= 30;
        c.evidence.push_back("the payload holds LH5 blocks");
    } else if (size == kPayload + length) {
        c.score += 20;
        c.evidence.push_back(std::to_string(size) + " bytes, a whole plain payload");
    }
}

void ScoreWholeFile(const std::vector<uint8_t>& data, uint64_t size, size_t length,
                    FormatCandidate& c) {
    constexpr size_t kPayload = FlashImageFile::kHeaderSize;
    const auto block = BlockAt(data, kPayload);
    if (!block) {
        c.score -= 30;
        c.evidence.push_back("no LH5 block at the payload start");
        return;
    }
    c.expectedSize = kPayload + block->length;
    c.score += 20;
    c.evidence.push_back("an LH5 block at the payload start");
    if (block->info.uncompressedSize == length) {
        c.score += 10;
        c.evidence.push_back("it expands to " + std::to_string(length) + " bytes");
    }
    if (size == kPayload + block->length) {
        c.score += 10;
        c.evidence.push_back("the block ends the file");
    }
}

void ScorePerSection(const std::vector<uint8_t>& data, uint64_t size, size_t length,
                     FormatCandidate& c) {
    constexpr size_t kPayload = FlashImageFile::kHeaderSize;
    constexpr size_t kHeader = SecondGenImage::kSectionHeader;
    c.expectedSize = kPayload + length;
    size_t offset = kPayload;
    int found = 0, compressed = 0;
    for (int s : FlashImageFile::kSectionOrder) {
        const size_t region = FlashImageFile::RegionSize(c.flashType, s);
        if (FlashImageFile::kCompressedArea[s] != 0) {
            ++compressed;
            const auto block = BlockAt(data, offset + kHeader);
            const size_t even = block ? (block->length + 1) & ~size_t{1} : 0;
            if (block && kHeader + block->length <= region && offset + 8 <= data.size() &&
                ReadU32(data.data() + offset + 4) == even)
                ++found;
        }
        offset += region;
    }
    if (found == 0) {
        c.score -= 30;
        c.evidence.push_back("no LH5 section blocks where this flash class puts them");
        return;
    }
    c.score += 20 + 5 * found;
    c.evidence.push_back(std::to_string(found) + " of " + std::to_string(compressed) +
                         " section blocks where this flash class puts them");
    if (size == kPayload + length) {
        c.score += 5;
        c.evidence.push_back(std::to_string(size) + " bytes, a whole payload");
    }
}

FormatCandidate SecondGeneration(const std::vector<uint8_t>& data, uint64_t size, int flashType,
                                 int compressMode) {
    FormatCandidate c;
    c.model = 0;
    c.flashType = flashType;
    c.compressMode = compressMode;
    const size_t length = FlashImageFile::PayloadLength(flashType);
    c.expectedSize = FlashImageFile::kHeaderSize + length;
    if (!FlashHeader(data)) return c;
    c.score += 40;
    c.evidence.push_back("format word 6, magic 7A 34 86 A3");
    const uint32_t stated = ReadU32(data.data() + 12);
    if (stated == length) {
        c.score += 20;
        c.evidence.push_back(flashType == 0 ? std::string("no payload stated")
                                            : "payload length " + std::to_string(stated) + " (" +
                                                  ClassText(flashType) + " class)");
    } else {
        c.score -= 20;
        c.evidence.push_back("the header states " + std::to_string(stated) +
                             " payload bytes, not " + std::to_string(length));
    }
    if (flashType == 0) {
        if (size == FlashImageFile::kHeaderSize) c.score += 10;
        return c;
    }
    if (compressMode == FlashImageFile::kPlain) ScorePlain(data, size, length, c);
    if (compressMode == FlashImageFile::kWholeFile) ScoreWholeFile(data, size, length, c);
    if (compressMode == FlashImageFile::kPerSection) ScorePerSection(data, size, length, c);
    return c;
}

}  // namespace

std::string FormatCandidate::Options() const {
    return "--model " + std::to_string(model) + " --flash " + std::to_string(flashType) +
           " --compress " + std::to_string(compressMode);
}

bool FormatCandidate::Matches(int otherModel, int otherFlash, int otherCompress) const {
    const Setting a = Normalise(model, flashType, compressMode);
    const Setting b = Normalise(otherModel, otherFlash, otherCompress);
    return a.model == b.model && a.flashType == b.flashType && a.compressMode == b.compressMode;
}

const FormatCandidate* FormatReport::Best() const {
    return !candidates.empty() && candidates.front().score > 0 ? &candidates.front() : nullptr;
}

const FormatCandidate* FormatReport::Find(int model, int flashType, int compressMode) const {
    for (const FormatCandidate& c : candidates)
        if (c.Matches(model, flashType, compressMode)) return &c;
    return nullptr;
}

bool FormatReport::LooksLikeOther(int model, int flashType, int compressMode) const {
    const FormatCandidate* best = Best();
    if (!best || best->Matches(model, flashType, compressMode)) return false;
    const FormatCandidate* given = Find(model, flashType, compressMode);
    // A margin, so that two readings the file fits about equally never block each other.
    return !given || given->score + 10 < best->score;
}

void DetectFormatOf(const std::string& path, const std::vector<uint8_t>& data, uint64_t fileSize,
                    FormatReport& report) {
    report = {};
    // A file that grew between stat and read is measured by what was read.
    report.fileSize = std::max<uint64_t>(fileSize, data.size());
    report.candidates.push_back(FirstGeneration(data, report.fileSize));
    report.candidates.push_back(SecondGeneration(data, report.fileSize, 0, 0));
    for (int flashType : {3, 4})
        for (int mode : {0, 1, 2})
            report.candidates.push_back(SecondGeneration(data, report.fileSize, flashType, mode));
    for (FormatCandidate& c : report.candidates)
        if (c.score > 0) ScoreDatabase(path, data, c);
    // Stable: on a tie the simpler reading, listed first, wins.
    std::stable_sort(
        report.candidates.begin(), report.candidates.end(),
        [](const FormatCandidate& a, const FormatCandidate& b) { return a.score > b.score; });
}

bool DetectFormat(const std::string& path, FormatReport& report, std::string& error) {
    report = {};
    InputBytes input;
    if (!ReadInput(path, input, error, kDetectReadLimit)) return false;
    DetectFormatOf(path, input.data, input.size, report);
    return true;
}

}  // namespace brondavel
