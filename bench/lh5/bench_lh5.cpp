// LH5 codec speed and ratio on the fixed benchmark inputs.
// Inputs: $LH5_BENCH_DIR, else written once by shared/bench/gen_bench_data.py.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/lh5/lh5_codec.h"
#include "tests/support/build_paths.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using namespace brondavel::lh5;

const char* const kFiles[] = {"image_full", "image_half",  "ff",        "random", "text",
                              "sec_tv",     "sec_tv_full", "sec_radio", "sec_tp", "sec_s4"};

fs::path DataDir() {
    if (const char* dir = std::getenv("LH5_BENCH_DIR")) return dir;
    fs::path dir = fs::temp_directory_path() / "brondavel-lh5-bench";
    if (!fs::exists(dir / "sec_s4.bin")) {
        std::string cmd = "python3 '" + buildpaths::SourceDir() +
                          "/../shared/bench/gen_bench_data.py' '" + dir.string() +
                          "' --sections > /dev/null";
        if (std::system(cmd.c_str()) != 0)
            std::fprintf(stderr, "cannot generate %s\n", dir.c_str());
    }
    return dir;
}

Bytes Load(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), {});
}

void BenchCompress(benchmark::State& state, const Bytes& in) {
    Bytes out(CompressBound(in.size()));
    std::int64_t n = 0;
    for (auto _ : state) {
        n = Compress(in.data(), in.size(), out.data(), out.size());
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
    state.counters["input"] = static_cast<double>(in.size());
    state.counters["stream"] = n < 0 ? -1 : static_cast<double>(n - kBlockOverhead);
}

void BenchDecompress(benchmark::State& state, const Bytes& in) {
    Bytes block(CompressBound(in.size()));
    std::int64_t n = Compress(in.data(), in.size(), block.data(), block.size());
    if (n < 0) {
        state.SkipWithError("not compressible");
        return;
    }
    Bytes out(in.size());
    for (auto _ : state) {
        DecodeResult r = Decode(block.data(), static_cast<std::size_t>(n), out.data(), out.size());
        if (!r.ok()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
}

}  // namespace

int main(int argc, char** argv) {
    fs::path dir = DataDir();
    static std::vector<std::pair<std::string, Bytes>> inputs;
    for (const char* name : kFiles) {
        Bytes data = Load(dir / (std::string(name) + ".bin"));
        if (!data.empty()) inputs.emplace_back(name, std::move(data));
    }
    for (auto& [name, data] : inputs) {
        const Bytes* d = &data;
        benchmark::RegisterBenchmark(("Compress/" + name).c_str(), [d](benchmark::State& s) {
            BenchCompress(s, *d);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Decompress/" + name).c_str(), [d](benchmark::State& s) {
            BenchDecompress(s, *d);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
