// Codes written and read per second, for each notation.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/color/ColorCodes.h"

namespace {

// Colours spread over the whole cube, so no branch is favoured.
std::vector<TColor> SampleColors()
{
    std::vector<TColor> colors;
    for (TColor c = 0; c < (1u << 24); c += 4099)
        colors.push_back(c);
    return colors;
}

void WriteCodes(benchmark::State& state)
{
    const int notation = int(state.range(0));
    const std::vector<TColor> colors = SampleColors();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteColorCode(notation, colors[i], '.'));
        if (++i == colors.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(FormatCaption(notation)));
}

void ReadCodes(benchmark::State& state)
{
    const int notation = int(state.range(0));
    std::vector<std::string> codes;
    for (TColor c : SampleColors())
        codes.push_back(TypedCodeText(std::string(WriteColorCode(notation, c, '.').View()), '.'));  // as typed
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadColorCode(codes[i], std::uint8_t(notation), '.'));
        if (++i == codes.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(FormatCaption(notation)));
}

BENCHMARK(WriteCodes)->DenseRange(0, FormatCount - 1);
BENCHMARK(ReadCodes)->DenseRange(0, FormatCount - 1);

}  // namespace

BENCHMARK_MAIN();
