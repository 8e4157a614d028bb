// CPU cost of the framings, without a line: CRC and a whole mode-2 receive.
#include <benchmark/benchmark.h>

#include "link/scripted_io.h"

namespace {

using namespace brondavel::link;

std::vector<uint8_t> Frame(uint8_t header, uint8_t number, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> f(data.size() + 3);
    f[0] = header;
    f[1] = number;
    f[2] = static_cast<uint8_t>(0xFF - number);
    std::copy(data.begin(), data.end(), f.begin() + 3);
    uint16_t c = Crc16(data.data(), data.size());
    f.push_back(static_cast<uint8_t>(c >> 8));
    f.push_back(static_cast<uint8_t>(c));
    return f;
}

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
    std::vector<uint8_t> script = Frame(kSoh, 0, std::vector<uint8_t>(h.begin(), h.end()));
    BlockPlan plan = PlanBlocks(size);
    for (uint64_t k = 1; k <= plan.Total(); ++k) {
        auto f = Frame(plan.SizeOf(k) == 1024 ? kStx : kSoh, static_cast<uint8_t>(k),
                       std::vector<uint8_t>(plan.SizeOf(k), static_cast<uint8_t>(k)));
        script.insert(script.end(), f.begin(), f.end());
    }
    script.push_back(kEot);
    script.push_back(kEot);
    auto closing = Frame(kSoh, 0, std::vector<uint8_t>(128, 0));
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
