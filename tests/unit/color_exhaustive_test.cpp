// Properties checked over every colour, or over an evenly spread sample where
// a full pass would be slow in the instrumented build. HB_EXHAUSTIVE=1 makes
// every test here cover all 16,777,216 colours.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "core/color/ColorCodes.h"

namespace {

constexpr StoredColor kColorCount = 1u << 24;

// An odd stride visits every byte value of every channel.
StoredColor SampleStride(StoredColor wanted)
{
    static const bool everyColour = [] {
        const char* all = std::getenv("HB_EXHAUSTIVE");
        return all && std::string_view(all) == "1";
    }();
    return everyColour ? 1 : wanted;
}

// Stops a loop at the first failing colour instead of reporting millions.
#define EXPECT_OR_STOP(cond, color)                                                  \
    do {                                                                             \
        if (!(cond)) {                                                               \
            ADD_FAILURE() << #cond << " fails for colour 0x" << std::hex << StoredColorFromRgb(color); \
            return;                                                                  \
        }                                                                            \
    } while (false)

TEST(ColorEveryValue, ComponentsStayInTheirRanges)
{
    for (StoredColor value = 0; value < kColorCount; value += SampleStride(11)) {
        const Rgb c = RgbFromStoredColor(value), rgb = c;
        const TLabValue lab = RGBToLab(rgb);
        EXPECT_OR_STOP(lab.L >= 0 && lab.L <= 100 && lab.a >= -128 && lab.a <= 127 && lab.b >= -128 &&
                           lab.b <= 127,
                       c);
        const THSVValue hsv = RGBToHSV(rgb);
        EXPECT_OR_STOP(hsv.H <= 360 && hsv.S <= 100 && hsv.V <= 100, c);
        const THSLValue hsl = RGBToHSL(0, rgb);
        EXPECT_OR_STOP(hsl.H <= 360 && hsl.S <= 100 && hsl.L <= 100, c);
        const THSLValue hsl255 = RGBToHSL(1, rgb);  // 16-bit H, but the unit is 255
        EXPECT_OR_STOP(hsl255.H <= 255, c);
        const THSLValue hsl240 = RGBToHSL(2, rgb);
        EXPECT_OR_STOP(hsl240.H <= 240 && hsl240.S <= 240 && hsl240.L <= 240, c);
        const TCMYKValue cmyk = RGBToCMYK(rgb);
        EXPECT_OR_STOP(cmyk.C <= 100 && cmyk.M <= 100 && cmyk.Y <= 100 && cmyk.K <= 100 &&
                           (cmyk.C == 0 || cmyk.M == 0 || cmyk.Y == 0),
                       c);
    }
}

bool WithinOneStep(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1;
}

TEST(ColorEveryValue, EveryCodeWrittenIsReadBack)
{
    // Each code as the program writes it with either decimal separator, read
    // with either separator as the user enters it: typed (each "," and "."
    // becomes the separator) or pasted as it stands. Only RGB[0,1] depends on
    // the separator, and pasted it needs the one it was written with. No code
    // is refused; HTML, RGB, TColor and Hexa give the very colour back,
    // RGB[0,1] within the step of its hundredths. The stylesheet notations
    // give the very colour back too, and say nothing of alpha or gamut.
    enum { kHtml = 0, kRgb = 1, kTColor = 6, kHexa = 7, kRgb01 = 10 };
    for (StoredColor value = 0; value < kColorCount; value += SampleStride(4099)) {
        const Rgb c = RgbFromStoredColor(value);
        for (int notation = 0; notation < FormatCount; ++notation) {
            const bool exact = notation == kHtml || notation == kRgb || notation == kTColor || notation == kHexa ||
                               notation >= FirstCssFormat;
            for (const char written : {'.', ','}) {
                const ColorCodeText code = WriteColorCode(notation, c, written);
                EXPECT_OR_STOP(code.size > 0 && code.size <= (notation >= FirstCssFormat ? 32u : 18u), c);
                if (notation != kRgb01 && written == ',') {
                    EXPECT_OR_STOP(code.View() == WriteColorCode(notation, c, '.').View(), c);
                    continue;
                }
                for (const char reading : {'.', ','}) {
                    const std::string typed = TypedCodeText(code.View(), reading);
                    for (const std::string_view entered : {code.View(), std::string_view(typed)}) {
                        const bool pasted = entered.data() == code.View().data();
                        if ((pasted && notation == kRgb01 && reading != written) || (!pasted && typed == code.View()))
                            continue;
                        const ColorReadResult read = ReadColorCode(entered, std::uint8_t(notation), reading);
                        EXPECT_OR_STOP(read.status == ReadStatus::Read, c);
                        EXPECT_OR_STOP(!exact || read.color == c, c);
                        EXPECT_OR_STOP(!read.alphaIgnored && !read.outOfGamut, c);
                        EXPECT_OR_STOP(notation != kRgb01 || WithinOneStep(read.color, c), c);
                    }
                }
            }
        }
    }
}

TEST(ColorEveryValue, HexHelpersReadEveryHtmlAndTColorCode)
{
    // The bare conversions, without the reader's clean-up.
    for (StoredColor value = 0; value < kColorCount; value += SampleStride(13)) {
        const Rgb c = RgbFromStoredColor(value);
        const ColorCodeText html = WriteColorCode(0, c, '.');
        EXPECT_OR_STOP(HtmlToColor(html.View()) == c, c);
        const ColorCodeText tcolor = WriteColorCode(6, c, '.');
        EXPECT_OR_STOP(HexToInt(tcolor.View().substr(3)) == value, c);
    }
}

}  // namespace
