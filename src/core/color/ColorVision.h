#pragma once
// How colours look with a colour-vision deficiency: the dichromacies by the
// model of Machado, Oliveira and Fernandes (2009) at severity 1.0, and
// achromatopsia as the colour's luminance, both over linear sRGB.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/color/ColorMath.h"

enum class ColorVision { Normal, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
inline constexpr int kColorVisionCount = 5;

// The settings file's value: "None", "Protanopia", "Deuteranopia", "Tritanopia", "Achromatopsia".
std::string_view ColorVisionName(ColorVision vision);
std::optional<ColorVision> ColorVisionFromName(std::string_view name);

// Row by row, from linear red, green and blue to the same as seen.
using TVisionMatrix = std::array<double, 9>;
const TVisionMatrix& ColorVisionMatrix(ColorVision vision);

// Linearised, multiplied, clipped to 0..1 and encoded again, rounded to the
// nearest byte.
Rgb SimulateColorVision(ColorVision vision, Rgb color);

// SimulateColorVision over many pixels, from tables: cheap enough for every
// pixel of the magnifier on every tick. It keeps the colours it saw last, as
// the next square around a moving pointer shows most of them again; one
// filter serves one thread.
class ColorVisionFilter {
public:
    explicit ColorVisionFilter(ColorVision vision = ColorVision::Normal);
    ColorVision vision() const { return vision_; }
    bool changesColors() const { return vision_ != ColorVision::Normal; }

    Rgb operator()(Rgb color) const;
    // 32-bit pixels with red in bits 16 to 23, green in 8 to 15 and blue in
    // 0 to 7 (the layout of the screen's true-colour pixels); the top byte
    // is kept. from and to may be the same.
    void filterPixels(const std::uint32_t* from, std::uint32_t* to, std::size_t count) const;
    // One such pixel; only while changesColors().
    std::uint32_t filterKept(std::uint32_t pixel) const;

private:
    std::uint32_t filterPixel(std::uint32_t pixel) const;

    ColorVision vision_;
    // Each matrix entry times each byte's linear value: products_[256 * entry + byte].
    std::vector<double> products_;
    // Colours seen: (the 24-bit colour with bit 24 set) << 32 | its filtered colour, by a hash of the colour.
    mutable std::vector<std::uint64_t> kept_;
};
