// A compressed block as a standard one-member LHA archive: the level-1 header
// names the member and carries its time, so archivers list and extract it.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace brondavel::cli {

// Longest member name a level-1 header holds (its size byte counts to 255).
inline constexpr std::size_t kMaxMemberName = 230;

// `block` is what the codec's compressor returns (an unnamed member and the
// end-of-archive byte). Nothing when it is not such a block or `name` is
// longer than kMaxMemberName.
std::optional<std::vector<std::uint8_t>> NamedArchive(const std::vector<std::uint8_t>& block,
                                                      const std::string& name,
                                                      std::time_t modified);

// MS-DOS date and time of a moment in local time (1980-01-01 for earlier ones).
std::uint32_t DosTime(std::time_t moment);

}  // namespace brondavel::cli
