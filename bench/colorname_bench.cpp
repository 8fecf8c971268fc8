// What naming the colour under the pointer costs: the lookup runs once for
// each new colour.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/color/ColorNames.h"

namespace {

// A new colour at every call, spread over the whole cube.
void NearestNameOfNewColours(benchmark::State& state)
{
    std::vector<Rgb> colors;
    for (StoredColor value = 0; value < (1u << 24); value += 4099)
        colors.push_back(RgbFromStoredColor(value));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NearestCssColorName(colors[i]));
        if (++i == colors.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void DeltaE2000OfOnePair(benchmark::State& state)
{
    const TLabReal first{50, 2.5, 0}, second{58, 24, 15};
    for (auto _ : state) {
        benchmark::DoNotOptimize(first);
        benchmark::DoNotOptimize(DeltaE2000(first, second));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(NearestNameOfNewColours);
BENCHMARK(DeltaE2000OfOnePair);

}  // namespace

BENCHMARK_MAIN();
