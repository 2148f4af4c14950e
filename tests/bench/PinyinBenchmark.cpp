// The pinyin table as start-up loads it, and the romanizer on names of growing difficulty.

#include "input/EmbeddedPinyinTable.h"
#include "input/NameRomanizer.h"
#include "record/GbkText.h"
#include "tests/support/PinyinTables.h"

#include <benchmark/benchmark.h>

namespace {

using namespace parvelin;

void loadTable(benchmark::State& state) {
    for (auto _ : state) {
        input::PinyinTable table;
        table.load(input::embeddedPinyinTable());
        benchmark::DoNotOptimize(table.lineCount());
    }
}

void romanize(benchmark::State& state, const record::GbkString& name) {
    const input::NameRomanizer romanizer(test::loadedPinyinTable());
    std::size_t candidates = 0;
    for (auto _ : state) {
        const auto result = romanizer.romanize(name);
        candidates = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.SetLabel(std::to_string(candidates) + " candidates");
}

BENCHMARK(loadTable)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(romanize, zhangSan, record::gbk("张三"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(romanize, fourPolyphonic, record::gbk("翟参龟解"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(romanize, fiftyPolyphonic, test::polyphonicName(50))
    ->Unit(benchmark::kMicrosecond);
// Ten characters of two readings: 1024 spellings, of which the bound keeps 968.
BENCHMARK_CAPTURE(romanize, boundFilled, record::gbk("翟仇区查覃乐重长朝尉"))
    ->Unit(benchmark::kMicrosecond);

} // namespace
