// The receiver's network-table log: "[FNT]" lines, one field per line, each
// transponder entry ending with its symbol rate. Entries are collected once.
#pragma once

#include <cstdint>
#include <istream>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace brondavel::silog {

struct NetworkEntry {
    int32_t transportStreamId = 0;
    int32_t originalNetworkId = 0;
    int32_t frequency = 0;
    int32_t orbitalPosition = 0;
    int32_t westEastFlag = 0;
    int32_t polarization = 0;
    int32_t symbolRate = 0;

    auto Tie() const {
        return std::tie(transportStreamId, originalNetworkId, frequency, orbitalPosition,
                        westEastFlag, polarization, symbolRate);
    }
    bool operator==(const NetworkEntry& other) const { return Tie() == other.Tie(); }
    bool operator<(const NetworkEntry& other) const { return Tie() < other.Tie(); }
};

// The network table; it grows over every log read into it.
class NetworkTable {
  public:
    // Reads one log. The entry being built starts empty for every log.
    void Read(std::istream& in);
    // False when the file cannot be opened; the table is then unchanged.
    bool ReadFile(const std::string& path);
    // One line (no line feed) of a log, continuing the entry being built.
    void ReadLine(std::string_view line);

    const std::vector<NetworkEntry>& entries() const { return entries_; }

  private:
    void Complete();

    NetworkEntry building_;
    std::vector<NetworkEntry> entries_;
    std::set<NetworkEntry> seen_;
};

}  // namespace brondavel::silog
