// A published list of one satellite's transponders, read from a dvbv5 scan
// table or a satellites.xml entry, in the units the receiver keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brondavel {

struct TableTransponder {
    uint32_t frequency = 0;   // MHz
    uint32_t symbolRate = 0;  // kilosymbols per second
    // 'H', 'V', 'L' or 'R' (circular left and right).
    char polarisation = 'H';
    // The receiver's FEC code: 0 Auto, 1 1/2, 2 2/3, 3 3/4, 5 5/6, 6 6/7,
    // 7 7/8; rates the receiver has no code for become Auto.
    uint16_t fec = 0;
    bool s2 = false;  // DVB-S2: the receiver's record cannot say so

    // The receiver's polarisation: 1 V, 2 H. Right circular is taken as V,
    // left as H.
    uint16_t ReceiverPolarisation() const {
        return polarisation == 'V' || polarisation == 'R' ? 1 : 2;
    }
};

struct TransponderTable {
    std::string name;    // satellite name, UTF-8
    int longitude = 0;   // tenths of a degree, positive = East
    std::string source;  // file it came from
    std::vector<TableTransponder> transponders;
    // Entries left out because a value was missing or impossible.
    int rejected = 0;
};

// Plausible satellite values; anything outside is taken as damage.
inline bool PlausibleTransponder(uint32_t frequencyMHz, uint32_t symbolRateKs) {
    return frequencyMHz >= 2000 && frequencyMHz <= 40000 && symbolRateKs >= 100 &&
           symbolRateKs <= 100000;
}

// "7.0W" as text, for reports.
inline std::string PositionText(int longitude) {
    const int mag = longitude < 0 ? -longitude : longitude;
    return std::to_string(mag / 10) + "." + std::to_string(mag % 10) + (longitude < 0 ? "W" : "E");
}

}  // namespace brondavel
