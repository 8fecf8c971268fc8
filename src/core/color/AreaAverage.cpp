#include "core/color/AreaAverage.h"

#include <algorithm>
#include <array>

#include "core/color/CssColor.h"

namespace {

const std::array<double, 256>& LinearOfByte()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> linear{};
        for (std::size_t i = 0; i < linear.size(); ++i)
            linear[i] = SrgbToLinear(double(i) / 255);
        return linear;
    }();
    return table;
}

// Entry k is the linear value half-way (in sRGB) between bytes k and k + 1:
// a mean below it rounds to k or less.
const std::array<double, 255>& RoundingBounds()
{
    static const std::array<double, 255> table = [] {
        std::array<double, 255> bounds{};
        for (std::size_t k = 0; k < bounds.size(); ++k)
            bounds[k] = SrgbToLinear((double(k) + 0.5) / 255);
        return bounds;
    }();
    return table;
}

std::uint8_t ByteOfLinear(double linear)
{
    const auto& bounds = RoundingBounds();
    // Half-way rounds up, as round(255 * sRGB) does.
    return std::uint8_t(std::upper_bound(bounds.begin(), bounds.end(), linear) - bounds.begin());
}

} // namespace

int ValidSampleSide(int side)
{
    return std::find(std::begin(kSampleSides), std::end(kSampleSides), side) != std::end(kSampleSides) ? side : 1;
}

Rgb AverageColor(const PixelRows& area)
{
    if (area.width <= 0 || area.height <= 0 || !area.first)
        return kBlack;
    const auto& linear = LinearOfByte();
    double red = 0, green = 0, blue = 0;
    for (int y = 0; y < area.height; ++y) {
        const std::uint32_t* row = area.first + y * area.stride;
        for (int x = 0; x < area.width; ++x) {
            red += linear[(row[x] >> 16) & 0xFF];
            green += linear[(row[x] >> 8) & 0xFF];
            blue += linear[row[x] & 0xFF];
        }
    }
    const double count = double(area.width) * area.height;
    return {ByteOfLinear(red / count), ByteOfLinear(green / count), ByteOfLinear(blue / count)};
}
