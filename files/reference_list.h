// Channel lists as users share them: one "number;name;ONID-TSID-SID" line
// per channel, the last column optional, names in UTF-8, an optional header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/list_order.h"

namespace brondavel {

// Longer lists are no channel list: the receiver holds some thousands.
inline constexpr size_t kMaxReferenceLines = 20000;

// False with `error` naming the line when the text is no such list.
bool ParseReferenceList(std::string_view text, std::vector<ReferenceEntry>& entries,
                        std::string& error);
bool ReadReferenceList(const std::string& path, std::vector<ReferenceEntry>& entries,
                       std::string& error);

// The list with a header line, ids always written.
std::string FormatReferenceList(const std::vector<ReferenceEntry>& entries);

// True when `path` holds text rather than a database file.
bool LooksLikeReferenceList(const std::string& path);

}  // namespace brondavel
