// Codes written and read per second, for each notation.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/color/ColorCodes.h"

namespace {

// Colours spread over the whole cube, so no branch is favoured.
std::vector<Rgb> SampleColors()
{
    std::vector<Rgb> colors;
    for (StoredColor value = 0; value < (1u << 24); value += 4099)
        colors.push_back(RgbFromStoredColor(value));
    return colors;
}

void WriteCodes(benchmark::State& state)
{
    const int notation = int(state.range(0));
    const std::vector<Rgb> colors = SampleColors();
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
    for (Rgb c : SampleColors())
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
