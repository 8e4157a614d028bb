// Any bytes as a file of unknown settings: every configuration is tried and
// scored. Nothing may crash or touch memory out of bounds, and the report
// always holds each configuration once.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/format_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz-detect-" + std::to_string(::getpid()) + ".bin";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    brondavel::FormatReport report;
    std::string error;
    if (brondavel::DetectFormat(path, report, error)) {
        if (report.candidates.size() != 8) std::abort();
        if (const brondavel::FormatCandidate* best = report.Best())
            if (report.LooksLikeOther(best->model, best->flashType, best->compressMode))
                std::abort();
    }
    return 0;
}
