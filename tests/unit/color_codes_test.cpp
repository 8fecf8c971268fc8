#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <string>

#include "core/color/ColorCodes.h"

namespace {

using Row = std::array<const char*, FormatCount>;

void ExpectEveryNotation(Rgb color, char separator, const Row& expected)
{
    for (int i = 0; i < FormatCount; ++i) {
        SCOPED_TRACE(testing::Message() << "notation " << FormatCaption(i));
        EXPECT_EQ(WriteColorCode(i, color, separator).View(), expected[i]);
    }
}

TEST(ColorCodeWriting, BlackWhiteAndOrangeInEveryNotation)
{
    ExpectEveryNotation(Rgb{0, 0, 0}, '.',
                        {"#000000", "0, 0, 0", "0, 0, 0", "0, 0, 0", "0, 0, 0, 100", "0, 0, 0",
                         "$00000000", "0x000000", "0, 0, 0", "0, 0, 0", "0.00 - 0.00 - 0.00",
                         "rgb(0 0 0)", "hsl(0 0% 0%)", "oklab(0 0 0)", "oklch(0% 0 none)"});
    ExpectEveryNotation(Rgb{255, 255, 255}, '.',
                        {"#FFFFFF", "255, 255, 255", "0, 0, 100", "0, 0, 100", "0, 0, 0, 0",
                         "100, 0, 0", "$00FFFFFF", "0xFFFFFF", "0, 0, 255", "0, 0, 240",
                         "1.00 - 1.00 - 1.00", "rgb(255 255 255)", "hsl(0 0% 100%)", "oklab(1 0 0)",
                         "oklch(100% 0 none)"});
    ExpectEveryNotation(Rgb{255, 128, 0}, ',',
                        {"#FF8000", "255, 128, 0", "30, 100, 100", "30, 100, 50", "0, 50, 100, 0",
                         "67, 43, 74", "$000080FF", "0xFF8000", "21, 255, 128", "20, 240, 120",
                         "1,00 - 0,50 - 0,00", "rgb(255 128 0)", "hsl(30 100% 50%)",
                         "oklab(0.7319 0.1119 0.1484)", "oklch(73.2% 0.186 53)"});
}

TEST(ColorCodeWriting, DetailsOfTheNotations)
{
    // Upper-case digits; the TColor row reverses the byte order of the HTML row.
    EXPECT_EQ(WriteColorCode(0, Rgb{171, 205, 239}, '.').View(), "#ABCDEF");
    EXPECT_EQ(WriteColorCode(6, Rgb{171, 205, 239}, '.').View(), "$00EFCDAB");
    EXPECT_EQ(WriteColorCode(7, Rgb{171, 205, 239}, '.').View(), "0xABCDEF");
    EXPECT_EQ(WriteColorCode(7, Rgb{171, 205, 239}, '.').View(), ColorToHexa({171, 205, 239}));
    EXPECT_EQ(WriteColorCode(5, Rgb{0, 128, 255}, '.').View(), "55, 19, -71");  // negative b
    EXPECT_EQ(WriteColorCode(2, Rgb{255, 0, 1}, '.').View(), "360, 100, 100");
    // Hundredths are rounded: 1/255 = 0.0039, 2/255 = 0.0078, 254/255 = 0.996.
    EXPECT_EQ(WriteColorCode(10, Rgb{1, 2, 254}, '.').View(), "0.00 - 0.01 - 1.00");
    EXPECT_EQ(WriteColorCode(10, Rgb{1, 2, 254}, ',').View(), "0,00 - 0,01 - 1,00");
    // Stylesheet codes: a decimal point whatever the separator, no trailing
    // zeros, and a further decimal on each number only where the rounding
    // would read back as another colour (as orange's OKLab above).
    EXPECT_EQ(WriteColorCode(14, Rgb{0, 0, 255}, ',').View(), "oklch(45.2% 0.3132 264.05)");
    EXPECT_EQ(WriteColorCode(12, Rgb{1, 1, 1}, '.').View(), "hsl(0 0% 0.4%)");
    for (int outside : {-1, 15, 255, 1000})
        EXPECT_EQ(WriteColorCode(outside, Rgb{255, 128, 0}, '.').View(), "") << outside;
}

TEST(ColorCodeWriting, FractionsMatchFixedPointFormattingOfTheDouble)
{
    for (int byte = 0; byte < 256; ++byte) {
        const TRGBFractions f = RGBToFractions({std::uint8_t(byte), 0, 0});
        char digits[16];
        char* end = std::to_chars(digits, digits + sizeof digits, f.red, std::chars_format::fixed, 2).ptr;
        std::string expected(digits, end);
        EXPECT_EQ(std::string(WriteColorCode(10, Rgb{std::uint8_t(byte), 0, 0}, '.').View()), expected + " - 0.00 - 0.00") << byte;
        expected[1] = ',';
        EXPECT_EQ(std::string(WriteColorCode(10, Rgb{0, 0, std::uint8_t(byte)}, ',').View()), "0,00 - 0,00 - " + expected) << byte;
    }
}

TEST(ColorCodeNames, CaptionsShortNamesAndLookup)
{
    const Row captions = {"HTML", "RGB", "HSB/HSV", "HSL", "CMYK", "LAB",
                          "TColor", "Hexa", "HSL (255)", "HSL (240)", "RGB[0,1]",
                          "CSS rgb()", "CSS hsl()", "OKLab", "OKLCH"};
    const Row shortNames = {"HTML", "RGB", "HSV/HSB", "HSL", "CMYK", "LAB",
                            "TColor", "Hexa", "HSL255", "HSL240", "RGB01",
                            "CSSRGB", "CSSHSL", "OKLAB", "OKLCH"};
    for (int i = 0; i < FormatCount; ++i) {
        EXPECT_EQ(FormatCaption(i), captions[i]);
        EXPECT_EQ(FormatShortName(i), shortNames[i]);
        EXPECT_EQ(FormatIndexFromName(captions[i]), i);
        EXPECT_EQ(FormatIndexFromName(shortNames[i]), i);
        EXPECT_EQ(FormatIndexFromName(std::to_string(i)), i);
    }
    EXPECT_EQ(FormatShortName(-1), "");
    EXPECT_EQ(FormatCaption(15), "");
    EXPECT_EQ(FormatIndexFromName("css"), 11);
    EXPECT_EQ(FormatIndexFromName("hsb/hsv"), 2);
    EXPECT_EQ(FormatIndexFromName("hsl (255)"), 8);
    EXPECT_EQ(FormatIndexFromName("tcolor"), 6);
    EXPECT_EQ(FormatIndexFromName("rgb01"), 10);
    for (const char* unknown : {"", "15", "-1", "HSV", "HSL(255)", "RGB ", "99999999999"})
        EXPECT_EQ(FormatIndexFromName(unknown), std::nullopt) << unknown;
}

TEST(ColorValueText, ReadsDecimalAndHexAndWritesHex)
{
    EXPECT_EQ(ReadColorValue("0x0080FF"), (Rgb{255, 128, 0}));
    EXPECT_EQ(ReadColorValue("0X0080ff"), (Rgb{255, 128, 0}));
    EXPECT_EQ(ReadColorValue("33023"), (Rgb{255, 128, 0}));
    EXPECT_EQ(ReadColorValue("0"), kBlack);
    EXPECT_EQ(ReadColorValue("0xFF0080FF"), (Rgb{255, 128, 0}));  // top byte ignored
    EXPECT_EQ(ReadColorValue("4294967295"), (Rgb{255, 255, 255}));
    for (const char* bad : {"", "0x", "-1", "+5", "12a", "0x12G", " 5", "4294967296", "0x100000000", "#FF8000"})
        EXPECT_EQ(ReadColorValue(bad), std::nullopt) << bad;
    EXPECT_EQ(FormatColorValue(Rgb{255, 128, 0}), "0x0080FF");
    EXPECT_EQ(FormatColorValue(Rgb{239, 205, 171}), "0xABCDEF");
}

TEST(ColorValueText, StoredNumberHoldsBlueGreenRedFromTheTop)
{
    static_assert(RgbFromStoredColor(0x00EFCDAB) == Rgb{0xAB, 0xCD, 0xEF});
    static_assert(RgbFromStoredColor(0xFF0080FF) == Rgb{0xFF, 0x80, 0x00});  // top byte ignored
    static_assert(StoredColorFromRgb(Rgb{0xAB, 0xCD, 0xEF}) == 0x00EFCDABu);
    for (StoredColor value = 0; value < (1u << 24); value += 0x010203)
        EXPECT_EQ(StoredColorFromRgb(RgbFromStoredColor(value)), value);
}

}  // namespace
