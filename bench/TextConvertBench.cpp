// Every text crossing the store, the XML files and the window system is converted; keep it cheap.
#include "common/TextConvert.h"

#include <benchmark/benchmark.h>

static void BM_ToUtf8(benchmark::State& state)
{
    const std::wstring text(static_cast<size_t>(state.range(0)), L'\u00e9');
    for (auto _ : state)
        benchmark::DoNotOptimize(ToUtf8(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ToUtf8)->Arg(16)->Arg(4096);

static void BM_FromUtf8(benchmark::State& state)
{
    const std::string text = ToUtf8(std::wstring(static_cast<size_t>(state.range(0)), L'\u4e2d'));
    for (auto _ : state)
        benchmark::DoNotOptimize(FromUtf8(text));
    state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
}
BENCHMARK(BM_FromUtf8)->Arg(16)->Arg(4096);
