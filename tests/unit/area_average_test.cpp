#include "core/color/AreaAverage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kBlackPixel = 0xFF000000, kWhitePixel = 0xFFFFFFFF;

TEST(AreaAverage, AUniformAreaKeepsItsColourExactly)
{
    for (std::uint32_t v = 0; v < 256; ++v) {
        // Each channel its own value, so that a swapped channel shows.
        const std::uint32_t pixel = (v << 16) | ((255 - v) << 8) | (v / 2);
        const std::vector<std::uint32_t> area(81, pixel);
        EXPECT_EQ(AverageColor({area.data(), 9, 9, 9}), (Rgb{std::uint8_t(v), std::uint8_t(255 - v), std::uint8_t(v / 2)})) << v;
    }
}

TEST(AreaAverage, MeansAreTakenInLinearLight)
{
    // Half black, half white is 50 % light: sRGB 187.5, written #BCBCBC
    // (not the 128 of a mean of the codes).
    const std::uint32_t halves[] = {kBlackPixel, kWhitePixel, kWhitePixel, kBlackPixel};
    EXPECT_EQ(AverageColor({halves, 2, 2, 2}), (Rgb{0xBC, 0xBC, 0xBC}));
    // A 3 x 3 square inside a wider picture (stride 5): white on 5 of its 9
    // pixels is 5/9 of the light, sRGB 196.56; 1 of 9 is 93.67.
    std::vector<std::uint32_t> picture(5 * 4, 0xFF00FF00);
    for (int i : {0, 2, 6, 10, 12})
        picture[std::size_t(5 + i % 5 + (i / 5) * 5)] = kWhitePixel;
    for (int i : {1, 5, 7, 11})
        picture[std::size_t(5 + i % 5 + (i / 5) * 5)] = kBlackPixel;
    EXPECT_EQ(AverageColor({picture.data() + 5, 5, 3, 3}), (Rgb{0xC5, 0xC5, 0xC5}));
    const std::uint32_t oneRed[] = {0xFFFF0000, kBlackPixel, kBlackPixel, kBlackPixel, kBlackPixel, kBlackPixel, kBlackPixel, kBlackPixel, kBlackPixel};
    EXPECT_EQ(AverageColor({oneRed, 3, 3, 3}), (Rgb{0x5E, 0, 0}));
}

TEST(AreaAverage, OnlyTheOfferedSidesAreValid)
{
    for (int side : kSampleSides)
        EXPECT_EQ(ValidSampleSide(side), side);
    for (int side : {-3, 0, 2, 4, 7, 11, 39})
        EXPECT_EQ(ValidSampleSide(side), 1);
}

} // namespace
