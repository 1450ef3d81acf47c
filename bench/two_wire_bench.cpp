// The connection description's packers and unpackers on lists of n entries.
// They touch no database, so these cases have no raw-SQLite baseline.
#include <benchmark/benchmark.h>

#include <string>

#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"

namespace {
CString UutText(long entries) {
    std::string text;
    for (long i = 0; i < entries; ++i) text += (i ? ";u" : "u") + std::to_string(i);
    return CString(text);
}

CString SwitchText(long entries) {
    std::string text;
    for (long i = 0; i < entries; ++i) text += "s" + std::to_string(i) + "/c" + std::to_string(i) + ";";
    return CString(text);
}

void BM_GetUUTInfo(benchmark::State& state) {
    const CString text = UutText(state.range(0));
    for (auto _ : state) {
        CStringArray items;
        CStdTwoWire::GetUUTInfo(items, text);
        benchmark::DoNotOptimize(items.GetSize());
    }
}

void BM_SetUUTInfo(benchmark::State& state) {
    CStringArray items;
    CStdTwoWire::GetUUTInfo(items, UutText(state.range(0)));
    for (auto _ : state) {
        CString text;
        CStdTwoWire::SetUUTInfo(items, text);
        benchmark::DoNotOptimize(text.GetLength());
    }
}

void BM_GetSwitchChInfo(benchmark::State& state) {
    const CString text = SwitchText(state.range(0));
    for (auto _ : state) {
        CStringArray firsts, seconds;
        CStdTwoWire::GetSwitchChInfo(text, firsts, seconds);
        benchmark::DoNotOptimize(firsts.GetSize());
    }
}

void BM_SetSwitchChInfo(benchmark::State& state) {
    CStringArray firsts, seconds;
    CStdTwoWire::GetSwitchChInfo(SwitchText(state.range(0)), firsts, seconds);
    for (auto _ : state) {
        CString text;
        CStdTwoWire::SetSwitchChInfo(text, firsts, seconds);
        benchmark::DoNotOptimize(text.GetLength());
    }
}
}  // namespace

BENCHMARK(BM_GetUUTInfo)->Arg(1000)->Arg(10000)->Arg(160000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetUUTInfo)->Arg(1000)->Arg(10000)->Arg(160000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetSwitchChInfo)->Arg(1000)->Arg(10000)->Arg(160000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetSwitchChInfo)->Arg(1000)->Arg(10000)->Arg(160000)->Unit(benchmark::kMillisecond);
