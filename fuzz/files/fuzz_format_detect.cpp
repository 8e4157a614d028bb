// Any bytes as a file of unknown settings: every configuration is tried and
// scored. Nothing may crash or touch memory out of bounds, and the report
// always holds each configuration once.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/format_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brondavel::FormatReport report;
    brondavel::DetectFormatOf("fuzz.bin", std::vector<uint8_t>(data, data + size), size, report);
    if (report.candidates.size() != 8) std::abort();
    if (const brondavel::FormatCandidate* best = report.Best())
        if (report.LooksLikeOther(best->model, best->flashType, best->compressMode)) std::abort();
    return 0;
}
