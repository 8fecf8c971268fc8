#pragma once
// The colour of an area as the eye mixes it: the mean of its pixels in linear
// light, written back as 8-bit sRGB rounded to the nearest value.
#include <cstddef>
#include <cstdint>

#include "core/color/ColorMath.h"

// The sides of the square a capture may average over, 1 being the one pixel
// under the pointer.
constexpr int kSampleSides[] = {1, 3, 5, 9};
// side itself when it is one of kSampleSides, else 1.
int ValidSampleSide(int side);

// Rows of 32-bit pixels as 0xXXRRGGBB words (the top byte ignored);
// stride counts pixels from one row's start to the next.
struct PixelRows {
    const std::uint32_t* first = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

Rgb AverageColor(const PixelRows& area);
