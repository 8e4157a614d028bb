// A plausible receiver database made by our own code: the demo that `make
// run` opens, and realistic data for tests and benchmarks.
#pragma once

#include <cstdint>

#include "model/database_engine.h"

namespace brondavel {

struct DemoSize {
    int satellites = 6;
    int transpondersPerSatellite = 10;
    int tv = 300;
    int radio = 80;
};

// Fills an empty first-generation database. Deterministic for a seed.
void FillFirstGenDemo(DatabaseEngine& db, const DemoSize& size = {}, uint32_t seed = 1);
// Fills an empty second-generation database (names as Windows-1256 bytes).
void FillSecondGenDemo(DatabaseEngine& db, const DemoSize& size = {}, uint32_t seed = 1);

}  // namespace brondavel
