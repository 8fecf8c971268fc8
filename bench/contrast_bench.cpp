// What the contrast readout costs a capture tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/color/ColorContrast.h"

namespace {

// The pointer crossing a new colour at every tick: the ratio is computed and
// the text is written whenever its tenth changes.
void ReadoutMovingPointer(benchmark::State& state)
{
    std::vector<TColor> colors;
    for (TColor c = 0; c < (1u << 24); c += 4099)
        colors.push_back(c);
    ContrastReadout readout;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readout.Update(colors[i], TColor(0x794E1F)));
        if (++i == colors.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

// A still pointer: the same colour tick after tick.
void ReadoutStillPointer(benchmark::State& state)
{
    ContrastReadout readout;
    for (auto _ : state)
        benchmark::DoNotOptimize(readout.Update(TColor(0xEAF1F4), TColor(0x794E1F)));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(ReadoutMovingPointer);
BENCHMARK(ReadoutStillPointer);

}  // namespace

BENCHMARK_MAIN();
