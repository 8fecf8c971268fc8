// What the contrast readout costs a capture tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/color/ColorContrast.h"

namespace {

// The pointer crossing a new colour at every tick: the ratio is computed and
// the text is written whenever its tenth changes.
void ReadoutMovingPointer(benchmark::State& state)
{
    std::vector<Rgb> colors;
    for (StoredColor value = 0; value < (1u << 24); value += 4099)
        colors.push_back(RgbFromStoredColor(value));
    ContrastReadout readout;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readout.Update(colors[i], Rgb{0x1F, 0x4E, 0x79}));
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
        benchmark::DoNotOptimize(readout.Update(Rgb{0xF4, 0xF1, 0xEA}, Rgb{0x1F, 0x4E, 0x79}));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(ReadoutMovingPointer);
BENCHMARK(ReadoutStillPointer);

}  // namespace

BENCHMARK_MAIN();
