// Converting a database's worth of names for display and back.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "text/conexant_text.h"

namespace {

using namespace brondavel::text;

// 5000 channel names as stored: a third Latin, a third Arabic, a third mixed.
std::vector<std::string> StoredNames() {
    const std::vector<std::string> latin = {"News", "Sport", "HD", "Music", "24", "TV", "Int"};
    const std::vector<std::string> arabic = {
        "\u0627\u0644\u062C\u0632\u064A\u0631\u0629", "\u0642\u0646\u0627\u0629",
        "\u0627\u0644\u0623\u0648\u0644\u0649", "\u0631\u064A\u0627\u0636\u0629",
        "\u0623\u062E\u0628\u0627\u0631"};
    std::mt19937 rng(5000);
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        for (int w = 0; w < 3; ++w) {
            const bool useArabic = (i % 3 == 1) || (i % 3 == 2 && w == 1);
            const auto& words = useArabic ? arabic : latin;
            if (w) text += ' ';
            text += words[rng() % words.size()];
        }
        names.push_back(DisplayToName(text, kChannelNameBytes));
    }
    return names;
}

void BM_NamesToDisplay(benchmark::State& state) {
    const std::vector<std::string> names = StoredNames();
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& n : names) total += NameToDisplay(n, kListByteLimit).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}
BENCHMARK(BM_NamesToDisplay)->Unit(benchmark::kMillisecond);

void BM_ConexantToAnsi(benchmark::State& state) {
    const std::vector<std::string> names = StoredNames();
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& n : names) {
            ConexantText t(n, STR_CONEXANT, 16);
            t.ConexantToAnsi();
            total += t.ansi().size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}
BENCHMARK(BM_ConexantToAnsi)->Unit(benchmark::kMillisecond);

void BM_DisplayToName(benchmark::State& state) {
    std::vector<std::string> shown;
    for (const std::string& n : StoredNames()) shown.push_back(NameToDisplay(n));
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& s : shown) total += DisplayToName(s, kChannelNameBytes).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(shown.size()));
}
BENCHMARK(BM_DisplayToName)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
