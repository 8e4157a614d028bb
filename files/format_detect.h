// Which receiver settings a database file needs. Neither file kind records
// its flash type or compress mode, so every configuration is tried and the
// result scored: the header magic, the stated payload length, where LH5
// blocks stand, and whether the database read that way is plausible.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brondavel {

// One way of reading a file, with how well the file fits it.
struct FormatCandidate {
    int model = 2;         // 2 first generation; 0 stands for the second (0 and 1 read alike)
    int flashType = 0;     // 0, 3 (2 MB class) or 4 (4 MB class); 0 for model 2
    int compressMode = 0;  // 0, 1 or 2; 0 for model 2 and for flash type 0
    int score = 0;         // higher is likelier; 0 or less: the file does not fit
    // The file length this configuration reads completely, when known.
    std::optional<uint64_t> expectedSize;
    // What was seen, one short phrase each ("magic ZCXT/CHAN", ...).
    std::vector<std::string> evidence;

    // "--model 0 --flash 4 --compress 1"
    std::string Options() const;
    // Whether a file read with these settings reads as this candidate does
    // (models 0 and 1 alike, flash types of one class alike).
    bool Matches(int model, int flashType, int compressMode) const;
};

struct FormatReport {
    uint64_t fileSize = 0;
    // Every configuration tried, best first.
    std::vector<FormatCandidate> candidates;

    // The best candidate when the file fits any configuration.
    const FormatCandidate* Best() const;
    // The candidate of the given settings (always present after DetectFormat).
    const FormatCandidate* Find(int model, int flashType, int compressMode) const;
    // True when the file fits another configuration clearly better than the
    // given one, so reading it with the given one gives a wrong database.
    bool LooksLikeOther(int model, int flashType, int compressMode) const;
};

// More than any configuration reads; the rest of a longer file is not looked
// at, and a longer stream is refused.
inline constexpr size_t kDetectReadLimit = 1u << 20;

// Tries every configuration on the file at `path`. False with `error` set
// when the file cannot be read.
bool DetectFormat(const std::string& path, FormatReport& report, std::string& error);

// The same on bytes already read from `path` (`fileSize` may exceed them).
void DetectFormatOf(const std::string& path, const std::vector<uint8_t>& data, uint64_t fileSize,
                    FormatReport& report);

}  // namespace brondavel
