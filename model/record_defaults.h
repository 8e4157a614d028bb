// What the "New" command starts from, alike in both receiver generations.
#pragma once

#include <cstdio>
#include <string>

#include "model/record.h"

namespace brondavel {

// "User-%02d" (numbered by the satellites there are), "User", "New Channel".
inline std::string DefaultRecordName(int kind, int satelliteCount) {
    switch (kind) {
        case kSatellite: {
            char name[16];
            std::snprintf(name, sizeof name, "User-%02d", satelliteCount);
            return name;
        }
        case kTransponder:
            return "User";
        case kTv:
        case kRadio:
            return "New Channel";
        default:
            return {};
    }
}

// A universal LNB (9750/10600 MHz).
template <typename Satellite>
Satellite NewSatellite(int satelliteCount) {
    Satellite r;
    r.setLnbType(1);
    r.setLnbHighFreq(10600);
    r.setLnbLowFreq(9750);
    r.setName(DefaultRecordName(kSatellite, satelliteCount));
    return r;
}

// Polarisation 2.
template <typename Transponder>
Transponder NewTransponder() {
    Transponder r;
    r.setPolarisation(2);
    r.setName(DefaultRecordName(kTransponder, 0));
    return r;
}

template <typename Channel>
Channel NewChannel() {
    Channel r;
    r.setName(DefaultRecordName(kTv, 0));
    return r;
}

}  // namespace brondavel
