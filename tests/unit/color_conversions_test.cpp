#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/color/ColorMath.h"
#include "core/color/CssColor.h"

namespace {

constexpr Rgb kOrange{255, 128, 0};

TEST(ColorRounding, TiesGoToEvenAndKeepLowBits)
{
    struct Case {
        double value;
        int byte, word, int16;
    };
    const Case cases[] = {
        {178.5, 178, 178, 178},  {127.5, 128, 128, 128},   {0.5, 0, 0, 0},
        {1.5, 2, 2, 2},          {-0.5, 0, 0, 0},          {-1.5, 254, 65534, -2},
        {255.5, 0, 256, 256},    {382.5, 126, 382, 382},   {65535.5, 0, 0, 0},
        {32767.6, 0, 32768, -32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundToByte(c.value), c.byte);
        EXPECT_EQ(RoundToWord(c.value), c.word);
        EXPECT_EQ(RoundToInt16(c.value), c.int16);
    }
}

TEST(ColorRounding, HugeAndNonFiniteValuesAreDefined)
{
    // 2^40 + 7 keeps its low bits; beyond int64 the exact integer still does.
    EXPECT_EQ(RoundToByte(std::ldexp(1.0, 40) + 7), 7);
    EXPECT_EQ(RoundToWord(std::ldexp(1.0, 70) + std::ldexp(1.0, 20)), 0);
    EXPECT_EQ(RoundToWord(std::ldexp(3.0, 62) + std::ldexp(1.0, 12)), 4096);
    EXPECT_EQ(RoundToWord(-std::ldexp(1.0, 63) - std::ldexp(1.0, 12)), 65536 - 4096);
    EXPECT_EQ(RoundToByte(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RoundToByte(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ColorContrast, LuminanceDecidesWhiteOrBlackText)
{
    struct Case {
        Rgb color;
        int luminance;
        Rgb text;
    };
    const Case cases[] = {
        {Rgb{0, 0, 255}, 27, Rgb{255, 255, 255}},  // blue
        {Rgb{255, 0, 0}, 76, Rgb{255, 255, 255}},  // red
        {Rgb{0, 255, 0}, 150, kBlack},  // green
        {Rgb{255, 255, 255}, 255, kBlack},
        {Rgb{0, 0, 0}, 0, Rgb{255, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.color));
        EXPECT_EQ(ColorLuminance(c.color), c.luminance);
        EXPECT_EQ(ContrastTextColor(c.color), c.text);
    }
    // The threshold: 128 is light.
    EXPECT_EQ(ContrastTextColor(Rgb{128, 128, 128}), kBlack);
    EXPECT_EQ(ColorLuminance(Rgb{127, 127, 127}), 127);
    EXPECT_EQ(ContrastTextColor(Rgb{127, 127, 127}), (Rgb{255, 255, 255}));
}

TEST(ColorHex, HtmlReadsDigitPairsOfEitherCase)
{
    EXPECT_EQ(HtmlToColor("#FF8000"), (Rgb{255, 128, 0}));
    EXPECT_EQ(HtmlToColor("#ff8000"), (Rgb{255, 128, 0}));
    EXPECT_EQ(HtmlToColor("#aBcDeF"), (Rgb{171, 205, 239}));
    EXPECT_EQ(HtmlToColor(""), kBlack);
    // The first character is not inspected; characters after the seventh are not read.
    EXPECT_EQ(HtmlToColor("xFF8000zz"), (Rgb{255, 128, 0}));
    for (const char* bad : {"#FF80G0", "#FF800", "#", "#FF 800", "#-F8000"})
        EXPECT_THROW(HtmlToColor(bad), EConvertError) << bad;
}

TEST(ColorHex, HexaAndHexToInt)
{
    EXPECT_EQ(ColorToHexa(kOrange), "0xFF8000");
    EXPECT_EQ(ColorToHexa({171, 205, 239}), "0xABCDEF");
    EXPECT_EQ(ColorToHexa({0, 0, 0}), "0x000000");
    EXPECT_EQ(HexToInt("ff"), 255u);
    EXPECT_EQ(HexToInt("0080FF"), 0x80FFu);
    EXPECT_EQ(HexToInt("00000000FFFFFFFF"), 0xFFFFFFFFu);
    for (const char* bad : {"", "G", "1 2", "-1", "0x10", "100000000"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(HexToInt(bad), EConvertError);
    }
}

TEST(ColorHsl, OrangeGreyAndTheFullTurnInEachScale)
{
    struct Case {
        Rgb rgb;
        THSLScale scale;
        THSLValue hsl;
    };
    const Case cases[] = {
        {kOrange, 0, {30, 100, 50}},
        {kOrange, 1, {21, 255, 128}},
        {kOrange, 2, {20, 240, 120}},
        {kOrange, 7, {30, 100, 50}},  // unknown scales are degrees and percent
        {{128, 128, 128}, 0, {0, 0, 50}},
        {{128, 128, 128}, 1, {0, 0, 128}},
        {{128, 128, 128}, 2, {0, 0, 120}},
        {{255, 0, 1}, 0, {360, 100, 50}},
        {{255, 0, 1}, 1, {255, 255, 128}},
        {{255, 0, 1}, 2, {240, 240, 120}},
        {{255, 0, 0}, 0, {0, 100, 50}},
        {{0, 0, 0}, 0, {0, 0, 0}},
        {{255, 255, 255}, 0, {0, 0, 100}},
        {{255, 255, 255}, 1, {0, 0, 255}},
        {{0, 128, 255}, 0, {210, 100, 50}},
        {{200, 200, 100}, 0, {60, 48, 59}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.rgb.r) << "," << int(c.rgb.g) << "," << int(c.rgb.b)
                                        << " scale " << c.scale);
        EXPECT_EQ(RGBToHSL(c.scale, c.rgb), c.hsl);
    }
    EXPECT_EQ(HSLToRGB({30, 100, 50}, 0), kOrange);
    EXPECT_EQ(HSLToRGB({20, 240, 120}, 2), kOrange);
    // Hue 21 of 255 is 29.6 degrees: the coarser scale does not come back exactly.
    EXPECT_EQ(HSLToRGB({21, 255, 128}, 1), (Rgb{255, 127, 1}));
    EXPECT_EQ(HSLToRGB({360, 100, 50}, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(HSLToRGB({0, 0, 50}, 0), (Rgb{128, 128, 128}));  // 127.5 to even
}

TEST(ColorHsv, KnownValuesAndRoundTrips)
{
    struct Case {
        Rgb rgb;
        THSVValue hsv;
    };
    const Case cases[] = {
        {kOrange, {30, 100, 100}},        {{128, 128, 128}, {0, 0, 50}},
        {{255, 0, 1}, {360, 100, 100}},   {{255, 0, 0}, {0, 100, 100}},
        {{0, 0, 0}, {0, 0, 0}},           {{255, 255, 255}, {0, 0, 100}},
        {{0, 128, 255}, {210, 100, 100}}, {{200, 200, 100}, {60, 50, 78}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RGBToHSV(c.rgb), c.hsv) << int(c.rgb.r) << "," << int(c.rgb.g) << "," << int(c.rgb.b);
    EXPECT_EQ(HSVToRGB({30, 100, 100}), kOrange);
    EXPECT_EQ(HSVToRGB({0, 0, 50}), (Rgb{128, 128, 128}));  // 127.5 to even
    EXPECT_EQ(HSVToRGB({360, 100, 100}), (Rgb{255, 0, 0}));  // folded into sector 0
    EXPECT_EQ(HSVToRGB({300, 100, 100}), (Rgb{255, 0, 255}));
}

TEST(ColorWrapping, OutOfRangeComponentsWrapInsteadOfFailing)
{
    // Saturation 150: p = v * (1 - 1.5) = -0.5, 255 * -0.5 = -127.5 -> -128 -> 128.
    EXPECT_EQ(HSVToRGB({0, 150, 100}), (Rgb{255, 128, 128}));
    // Fractions are not clamped: 1.5 -> 382.5 -> 382 -> 126; 2.0 -> 510 -> 254.
    TRGBFractions f;
    f.red = 1.5, f.green = 2.0, f.blue = -0.1;
    EXPECT_EQ(FractionsToRGB(f), (Rgb{126, 254, 230}));
    // CMYK below zero is clamped, there is no upper clamp to reach.
    EXPECT_EQ(CMYKToRGB({200, 0, 0, 0}), (Rgb{0, 255, 255}));
}

TEST(ColorCmyk, NoNormalisationByBlack)
{
    EXPECT_EQ(RGBToCMYK({200, 100, 50}), (TCMYKValue{0, 39, 59, 22}));
    EXPECT_EQ(RGBToCMYK(kOrange), (TCMYKValue{0, 50, 100, 0}));
    EXPECT_EQ(RGBToCMYK({0, 0, 0}), (TCMYKValue{0, 0, 0, 100}));
    EXPECT_EQ(RGBToCMYK({255, 255, 255}), (TCMYKValue{0, 0, 0, 0}));
    EXPECT_EQ(CMYKToRGB({0, 50, 100, 0}), kOrange);
    EXPECT_EQ(CMYKToRGB({30, 0, 0, 0}), (Rgb{178, 255, 255}));  // 178.5 to even
}

TEST(ColorLab, KnownValuesSignsAndClamps)
{
    struct Case {
        Rgb rgb;
        TLabValue lab;
    };
    const Case cases[] = {
        {kOrange, {67, 43, 74}},
        {{0, 0, 0}, {0, 0, 0}},
        {{255, 255, 255}, {100, 0, 0}},
        {{0, 128, 255}, {55, 19, -71}},
        {{0, 0, 255}, {32, 79, -108}},
        {{0, 255, 0}, {88, -86, 83}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RGBToLab(c.rgb), c.lab) << int(c.rgb.r) << "," << int(c.rgb.g) << "," << int(c.rgb.b);
    EXPECT_EQ(LabToRGB({100, 0, 0}), (Rgb{255, 255, 255}));
    EXPECT_EQ(LabToRGB({0, 0, 0}), (Rgb{0, 0, 0}));
    // Extreme inputs stay finite and clamp into the byte range.
    EXPECT_EQ(LabToRGB({32767, 32767, -32768}), (Rgb{255, 255, 255}));
    EXPECT_EQ(LabToRGB({-32768, 0, 0}), (Rgb{0, 0, 0}));

    const TLabReal clamped = XYZToLab({1e6, 1e6, 0});
    EXPECT_EQ(clamped.L, 100);
    EXPECT_EQ(clamped.b, 127);
    const TLabReal low = XYZToLab({-100, -100, 1e6});
    EXPECT_EQ(low.L, 0);
    EXPECT_EQ(low.b, -128);
}

TEST(ColorOKLab, MatchesOttossonsPublishedTable)
{
    // His table gives OKLab for CIE XYZ (D65); XYZ reaches sRGB through the
    // sRGB matrix, linear values beyond 0..1 included.
    struct Case {
        double X, Y, Z, L, a, b;
    };
    const Case cases[] = {
        {0.950, 1.000, 1.089, 1.000, 0.000, 0.000},
        {1.000, 0.000, 0.000, 0.450, 1.236, -0.019},
        {0.000, 1.000, 0.000, 0.922, -0.671, 0.263},
        {0.000, 0.000, 1.000, 0.153, -1.415, -0.449},
    };
    for (const Case& c : cases) {
        const double r = 3.2404542 * c.X - 1.5371385 * c.Y - 0.4985314 * c.Z;
        const double g = -0.9692660 * c.X + 1.8760108 * c.Y + 0.0415560 * c.Z;
        const double b = 0.0556434 * c.X - 0.2040259 * c.Y + 1.0572252 * c.Z;
        const TOKLab lab = SrgbToOKLab({LinearToSrgb(r), LinearToSrgb(g), LinearToSrgb(b)});
        EXPECT_NEAR(lab.L, c.L, 0.002) << c.X << " " << c.Y << " " << c.Z;
        EXPECT_NEAR(lab.a, c.a, 0.002) << c.X << " " << c.Y << " " << c.Z;
        EXPECT_NEAR(lab.b, c.b, 0.002) << c.X << " " << c.Y << " " << c.Z;
        const TSrgbReal back = OKLabToSrgb(lab);
        EXPECT_NEAR(SrgbToLinear(back.R), r, 1e-6);
        EXPECT_NEAR(SrgbToLinear(back.B), b, 1e-6);
    }
    const TOKLCh orange = OKLabToOKLCh(ColorToOKLab(kOrange));
    EXPECT_NEAR(orange.L, 0.7319, 0.0005);
    EXPECT_NEAR(orange.C, 0.1858, 0.0005);
    EXPECT_NEAR(orange.h, 52.98, 0.05);
}

}  // namespace
