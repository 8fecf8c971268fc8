#include <gtest/gtest.h>

#include "core/color/ColorVision.h"

namespace {

Rgb Bytes(int r, int g, int b)
{
    return {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
}

TEST(ColorVision, MatricesAreMachadoOliveiraFernandesAtSeverityOne)
{
    // Their table of simulation matrices, row by row, for a severity of 1.0.
    const TVisionMatrix protanopia = {0.152286, 1.052583, -0.204868, 0.114503, 0.786281,
                                      0.099216, -0.003882, -0.048116, 1.051998};
    const TVisionMatrix deuteranopia = {0.367322, 0.860646, -0.227968, 0.280085, 0.672501,
                                        0.047413, -0.011820, 0.042940, 0.968881};
    const TVisionMatrix tritanopia = {1.255528, -0.076749, -0.178779, -0.078411, 0.930809,
                                      0.147602, 0.004733, 0.691367, 0.303900};
    EXPECT_EQ(ColorVisionMatrix(ColorVision::Protanopia), protanopia);
    EXPECT_EQ(ColorVisionMatrix(ColorVision::Deuteranopia), deuteranopia);
    EXPECT_EQ(ColorVisionMatrix(ColorVision::Tritanopia), tritanopia);
    for (int v = 0; v < kColorVisionCount; ++v) {
        const auto vision = ColorVision(v);
        EXPECT_EQ(ColorVisionFromName(ColorVisionName(vision)), vision);
        // Each row sums to one: white and black stay as they are.
        EXPECT_EQ(SimulateColorVision(vision, kWhite), kWhite) << ColorVisionName(vision);
        EXPECT_EQ(SimulateColorVision(vision, kBlack), kBlack) << ColorVisionName(vision);
    }
    EXPECT_EQ(ColorVisionName(ColorVision::Normal), "None");
    EXPECT_FALSE(ColorVisionFromName("protanopia").has_value());
}

TEST(ColorVision, TransformsColoursInLinearLight)
{
    struct Case {
        ColorVision vision;
        Rgb color, seen;
    };
    const Case cases[] = {
        {ColorVision::Normal, Bytes(255, 127, 80), Bytes(255, 127, 80)},
        {ColorVision::Protanopia, Bytes(255, 0, 0), Bytes(109, 95, 0)},
        {ColorVision::Protanopia, Bytes(255, 127, 80), Bytes(162, 146, 75)},
        {ColorVision::Deuteranopia, Bytes(0, 255, 0), Bytes(239, 214, 58)},
        {ColorVision::Deuteranopia, Bytes(255, 127, 80), Bytes(193, 175, 77)},
        {ColorVision::Tritanopia, Bytes(0, 0, 255), Bytes(0, 107, 150)},
        {ColorVision::Tritanopia, Bytes(255, 127, 80), Bytes(255, 101, 116)},
        // The WCAG relative luminance of red, 0.2126, is sRGB 127.
        {ColorVision::Achromatopsia, Bytes(255, 0, 0), Bytes(127, 127, 127)},
        {ColorVision::Achromatopsia, Bytes(77, 77, 77), Bytes(77, 77, 77)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SimulateColorVision(c.vision, c.color), c.seen) << ColorVisionName(c.vision) << ' ' << int(c.color.r);
        EXPECT_EQ(ColorVisionFilter(c.vision)(c.color), c.seen) << ColorVisionName(c.vision) << ' ' << int(c.color.r);
    }
}

TEST(ColorVision, FilterTablesGiveTheExactColours)
{
    for (int v = 1; v < kColorVisionCount; ++v) {
        const ColorVisionFilter filter{ColorVision(v)};
        int differences = 0;
        for (int r = 0; r < 256; r += 3)
            for (int g = 1; g < 256; g += 5)
                for (int b = 2; b < 256; b += 4) {
                    const std::uint32_t pixel = 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
                    std::uint32_t seen = 0;
                    filter.filterPixels(&pixel, &seen, 1);
                    const Rgb e = SimulateColorVision(ColorVision(v), Bytes(r, g, b));
                    differences += seen != (0xFF000000u | (std::uint32_t(e.r) << 16) | (std::uint32_t(e.g) << 8) | e.b);
                }
        EXPECT_EQ(differences, 0) << ColorVisionName(ColorVision(v));
    }
}

} // namespace
