// CPU cost of the framings, without a line: CRC and a whole mode-2 receive.
#include <benchmark/benchmark.h>

#include "link/scripted_io.h"

namespace {

using namespace brondavel::link;

void BM_Crc16Table(benchmark::State& state) {
    std::vector<uint8_t> data(1024, 0xA5);
    for (auto _ : state) benchmark::DoNotOptimize(Crc16(data.data(), data.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024);
}
BENCHMARK(BM_Crc16Table);

void BM_Crc16Bitwise(benchmark::State& state) {
    std::vector<uint8_t> data(1024, 0xA5);
    for (auto _ : state) benchmark::DoNotOptimize(Crc16Bitwise(data.data(), data.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024);
}
BENCHMARK(BM_Crc16Bitwise);

// A 336000-byte batch as the receiver would send it.
void BM_ReceiveMode2Batch(benchmark::State& state) {
    const size_t size = 336000;
    std::string h = BuildBatchHeader("chan.ZCS", size);
    std::vector<uint8_t> script = ScriptedFrame(kSoh, 0, std::vector<uint8_t>(h.begin(), h.end()));
    std::vector<uint8_t> file(size);
    for (size_t i = 0; i < size; ++i) file[i] = static_cast<uint8_t>(i / 1024 + 1);
    auto blocks = ScriptedBlocks(file);
    script.insert(script.end(), blocks.begin(), blocks.end());
    script.push_back(kEot);
    script.push_back(kEot);
    auto closing = ScriptedFrame(kSoh, 0, std::vector<uint8_t>(128, 0));
    script.insert(script.end(), closing.begin(), closing.end());
    for (auto _ : state) {
        ScriptedIo io(script.data(), script.size());
        MemorySink sink;
        if (ReceiveMode2(io, sink) != kResultOk) state.SkipWithError("receive failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ReceiveMode2Batch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
