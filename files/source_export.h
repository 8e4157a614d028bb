// The default channel table: the first-generation image printed as the
// source arrays ("DEFDB_CHDATA_t") a receiver firmware compiles in.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brondavel {

// The table for a rebuilt first-generation image (references are positions).
// Empty when no transponder carries a channel.
std::string DefaultChannelTable(std::span<const uint8_t> image);

}  // namespace brondavel
