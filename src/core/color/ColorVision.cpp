#include "core/color/ColorVision.h"

#include <algorithm>

#include "core/color/CssColor.h"

namespace {

constexpr std::string_view kNames[kColorVisionCount] = {"None", "Protanopia", "Deuteranopia", "Tritanopia",
                                                        "Achromatopsia"};

// Machado, Oliveira and Fernandes (2009), table of the dichromacies at
// severity 1.0; achromatopsia takes the luminance of sRGB (IEC 61966-2-1)
// for all three channels.
constexpr TVisionMatrix kMatrices[kColorVisionCount] = {
    {1, 0, 0, 0, 1, 0, 0, 0, 1},
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881},
    {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.303900},
    {0.2126, 0.7152, 0.0722, 0.2126, 0.7152, 0.0722, 0.2126, 0.7152, 0.0722},
};

std::uint8_t EncodeLinear(double linear)
{
    return RoundToByte(255 * LinearToSrgb(std::clamp(linear, 0.0, 1.0)));
}

// The tables give exactly what EncodeLinear and SrgbToLinear give.
struct VisionTables {
    static constexpr int kBuckets = 4096; // narrower than the closest two steps of a byte in linear light
    double linear[256];
    // The least linear value that encodes to the byte; stepAt[0] unused, stepAt[256] beyond every value.
    double stepAt[257];
    std::uint8_t bucketStart[kBuckets + 1];

    VisionTables()
    {
        for (int i = 0; i < 256; ++i)
            linear[i] = SrgbToLinear(i / 255.0);
        for (int k = 1; k < 256; ++k) {
            double below = 0, at = 1; // EncodeLinear(below) < k <= EncodeLinear(at)
            for (int halving = 0; halving < 200; ++halving) {
                const double middle = below + (at - below) / 2;
                if (middle <= below || middle >= at)
                    break;
                (EncodeLinear(middle) >= k ? at : below) = middle;
            }
            stepAt[k] = at;
        }
        stepAt[256] = 2;
        for (int b = 0; b <= kBuckets; ++b)
            bucketStart[b] = EncodeLinear(double(b) / kBuckets);
    }

    // A bucket holds at most one step: the byte at its start, or the next.
    std::uint8_t encode(double value) const
    {
        const double v = std::min(std::max(value, 0.0), 1.0);
        const int byte = bucketStart[int(v * kBuckets)];
        return std::uint8_t(byte + (v >= stepAt[byte + 1]));
    }
};

const VisionTables& Tables()
{
    static const VisionTables tables;
    return tables;
}

int Index(ColorVision vision)
{
    const int i = int(vision);
    return i >= 0 && i < kColorVisionCount ? i : 0;
}

} // namespace

std::string_view ColorVisionName(ColorVision vision)
{
    return kNames[Index(vision)];
}

std::optional<ColorVision> ColorVisionFromName(std::string_view name)
{
    for (int i = 0; i < kColorVisionCount; ++i)
        if (kNames[i] == name)
            return ColorVision(i);
    return std::nullopt;
}

const TVisionMatrix& ColorVisionMatrix(ColorVision vision)
{
    return kMatrices[Index(vision)];
}

Rgb SimulateColorVision(ColorVision vision, Rgb color)
{
    if (vision == ColorVision::Normal)
        return color;
    const double r = SrgbToLinear(color.r / 255.0), g = SrgbToLinear(color.g / 255.0), b = SrgbToLinear(color.b / 255.0);
    const TVisionMatrix& m = ColorVisionMatrix(vision);
    return {EncodeLinear(m[0] * r + m[1] * g + m[2] * b), EncodeLinear(m[3] * r + m[4] * g + m[5] * b),
            EncodeLinear(m[6] * r + m[7] * g + m[8] * b)};
}

namespace {
constexpr int kKeptBits = 12;
}

ColorVisionFilter::ColorVisionFilter(ColorVision vision) : vision_(vision)
{
    if (!changesColors())
        return;
    const VisionTables& t = Tables();
    const TVisionMatrix& m = ColorVisionMatrix(vision);
    products_.resize(m.size() * 256);
    for (std::size_t entry = 0; entry < m.size(); ++entry)
        for (int byte = 0; byte < 256; ++byte)
            products_[256 * entry + std::size_t(byte)] = m[entry] * t.linear[byte];
    kept_.assign(std::size_t(1) << kKeptBits, 0);
}

std::uint32_t ColorVisionFilter::filterKept(std::uint32_t pixel) const
{
    const std::uint32_t key = (pixel & 0xFFFFFF) | 0x1000000;
    std::uint64_t& kept = kept_[(key * 0x9E3779B1u) >> (32 - kKeptBits)];
    if (std::uint32_t(kept >> 32) != key)
        kept = (std::uint64_t(key) << 32) | filterPixel(pixel & 0xFFFFFF);
    return (pixel & 0xFF000000u) | std::uint32_t(kept);
}

std::uint32_t ColorVisionFilter::filterPixel(std::uint32_t pixel) const
{
    const VisionTables& t = Tables();
    const double* p = products_.data();
    const std::size_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    // The same sums, in the same order, as SimulateColorVision's.
    const auto row = [&](std::size_t first) {
        return t.encode(p[256 * first + r] + p[256 * (first + 1) + g] + p[256 * (first + 2) + b]);
    };
    return (pixel & 0xFF000000u) | (std::uint32_t(row(0)) << 16) | (std::uint32_t(row(3)) << 8) | row(6);
}

Rgb ColorVisionFilter::operator()(Rgb color) const
{
    if (!changesColors())
        return color;
    const std::uint32_t seen = filterPixel((std::uint32_t(color.r) << 16) | (std::uint32_t(color.g) << 8) | color.b);
    return {std::uint8_t(seen >> 16), std::uint8_t(seen >> 8), std::uint8_t(seen)};
}

void ColorVisionFilter::filterPixels(const std::uint32_t* from, std::uint32_t* to, std::size_t count) const
{
    if (!changesColors()) {
        if (from != to)
            std::copy(from, from + count, to);
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        to[i] = filterKept(from[i]);
}
