#include <gtest/gtest.h>

#include <string>

#include "core/color/ColorCodes.h"
#include "core/color/CssColor.h"

namespace {

constexpr Rgb kOrange{255, 128, 0};

enum Notation { Html, RgbNotation, Hsv, Hsl, Cmyk, Lab, TCol, Hexa, Hsl255, Hsl240, Rgb01, CssRgb, CssHsl, OkLab, OkLch };

TEST(ColorInputNormalising, PrefixesOddCharactersAndSpaces)
{
    struct Case {
        const char* input;
        const char* normalized;
        int notation = Html;
    };
    const Case cases[] = {
        {"  #FF8000\r\n", "FF8000"},
        {"\t0x0080FF ", "80FF"},  // "0x00" goes first
        {"0X00FF", "FF"},
        {"$000080FF", "0080FF"},
        {"0x000080FF", "0080FF"},
        {"$$12", "12"},
        {"255, 128, 0", "255, 128, 0"},
        {"1.00 - 0.50 - 0.00", "1.00 0.50 0.00"},
        {"rgb(255;  128;\t0)", "b 255 128 0"},
        {"Red", "ed"},
        {"-50, -20", "50, 20"},
        {"-50, -20", "-50, -20", Lab},  // a minus before a number is kept in LAB only
        {"50-20 - 30--4", "50 -20 30 -4", Lab},
        {"0x0000FF", "0000FF", Hexa},  // the program's own prefix before six digits
        {"0x00FF8000", "FF8000", Hexa},
        {"0x0000FF", "00FF", TCol},
        {"", ""},
        {"   ", ""},
        {"\xC3\xA9" "ab\xC3\xA9", "ab"},  // bytes of other alphabets are not code characters
        {"00x0000", "000"},  // removal scans once, left to right
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeColorInput(c.input, c.notation), c.normalized) << '"' << c.input << '"';
}

struct ReadCase {
    const char* text;
    int notation;
    char separator;
    ReadStatus status;
    Rgb color;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << '"' << c.text << "\" in " << FormatCaption(c.notation) << " with '" << c.separator << "'";
}

class ColorCodeReading : public testing::TestWithParam<ReadCase> {};

TEST_P(ColorCodeReading, GivesTheColourOrTellsWhyNot)
{
    const ReadCase& c = GetParam();
    const ColorReadResult r = ReadColorCode(c.text, static_cast<std::uint8_t>(c.notation), c.separator);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.color, c.status == ReadStatus::Read ? c.color : kWhite);
}

constexpr ReadStatus kRead = ReadStatus::Read;
constexpr ReadStatus kShape = ReadStatus::WrongShape;
constexpr ReadStatus kNumber = ReadStatus::BadNumber;
constexpr ReadStatus kRange = ReadStatus::OutOfRange;

const ReadCase kReadCases[] = {
    // HTML, TColor and Hexa: six hexadecimal characters after clean-up.
    {"#FF8000", Html, '.', kRead, kOrange},
    {"FF8000", Html, '.', kRead, kOrange},
    {"ff 80 00", Html, '.', kRead, kOrange},
    {"FF.80.00", Html, '.', kRead, kOrange},
    {"#FF800", Html, '.', kShape, {}},
    {"Re", Html, '.', kShape, {}},
    {"FF,800", Html, '.', kNumber, {}},  // the other separator stays and is no digit
    {"0xFF8000", Hexa, '.', kRead, kOrange},
    {"FF8000", Hexa, '.', kRead, kOrange},
    {"0x0080FF", Hexa, '.', kRead, Rgb{0, 128, 255}},  // red 00
    {"0x000000", Hexa, '.', kRead, kBlack},
    {"0080FF", Hexa, '.', kRead, Rgb{0, 128, 255}},
    {"FF,800", Hexa, '.', kNumber, {}},
    {"$000080FF", TCol, '.', kRead, kOrange},
    {"0x000080FF", TCol, '.', kRead, kOrange},
    {"0080FF", TCol, '.', kRead, kOrange},
    {"0080F", TCol, '.', kShape, {}},
    {"00,80F", TCol, ',', kShape, {}},
    // Integer notations: parts between single spaces.
    {"255. 128. 0", RgbNotation, '.', kRead, kOrange},  // typed commas became separators
    {"255, 128, 0", RgbNotation, ',', kRead, kOrange},
    {"255 128 0", RgbNotation, '.', kRead, kOrange},
    {"255, 128, 0", RgbNotation, '.', kRead, kOrange},  // pasted with either separator
    {"0. 50. 100. 0", Cmyk, ',', kRead, kOrange},
    {"255 . 128 . 0", RgbNotation, '.', kShape, {}},  // five parts
    {"255 128", RgbNotation, '.', kShape, {}},
    {". 255 128 0", RgbNotation, '.', kShape, {}},  // leading empty part
    {"255 128 0 .", RgbNotation, '.', kRead, kOrange},  // a trailing space adds no part
    {"255 . 128", RgbNotation, '.', kNumber, {}},  // an empty middle part
    // A number outside its component's range is refused; a hue is an angle
    // and turns: 390 degrees is 30.
    {"300 0 0", RgbNotation, '.', kRange, {}},
    {"0 0 256", RgbNotation, '.', kRange, {}},
    {"300 0 FF", RgbNotation, '.', kNumber, {}},
    {"FF 0 0", RgbNotation, '.', kNumber, {}},
    {"2147483647 0 0", RgbNotation, '.', kRange, {}},
    {"2147483648 0 0", RgbNotation, '.', kNumber, {}},
    {"99999999999999999999 0 0", RgbNotation, '.', kNumber, {}},
    {"", RgbNotation, '.', kShape, {}},
    {"30, 100, 100", Hsv, ',', kRead, kOrange},
    {"360 100 100", Hsv, '.', kRead, Rgb{255, 0, 0}},
    {"390 100 100", Hsv, '.', kRead, kOrange},
    {"2147483550 100 100", Hsv, '.', kRead, kOrange},  // 5965232 turns and 30 degrees
    {"30 101 100", Hsv, '.', kRange, {}},
    {"30, 100, 50", Hsl, ',', kRead, kOrange},
    {"390, 100, 50", Hsl, ',', kRead, kOrange},
    {"30, 150, 50", Hsl, ',', kRange, {}},
    {"21 255 128", Hsl255, '.', kRead, Rgb{255, 127, 1}},  // 29.6 degrees
    {"276 255 128", Hsl255, '.', kRead, Rgb{255, 127, 1}},
    {"21 256 128", Hsl255, '.', kRange, {}},
    {"20 240 120", Hsl240, '.', kRead, kOrange},
    {"260 240 120", Hsl240, '.', kRead, kOrange},
    {"20 240 241", Hsl240, '.', kRange, {}},
    {"0 50 101 0", Cmyk, '.', kRange, {}},
    {"0, 50, 100, 0", Cmyk, ',', kRead, kOrange},
    {"0, 50, 100", Cmyk, ',', kShape, {}},
    {"0 50 100 0 0", Cmyk, '.', kShape, {}},
    {"67, 43, 74", Lab, ',', kRead, LabToRGB({67, 43, 74})},
    {"50, -20, 30", Lab, '.', kRead, LabToRGB({50, -20, 30})},
    {"32. 79. -108", Lab, '.', kRead, LabToRGB({32, 79, -108})},
    {"50, 20, -", Lab, ',', kShape, {}},
    {"50 2-0 30", Lab, '.', kShape, {}},  // four parts
    {"50, -20, 30", Hsl, ',', kRead, HSLToRGB({50, 20, 30}, 0)},  // no minus there
    {"100 0 0", Lab, '.', kRead, kWhite},
    {"50 127 -128", Lab, '.', kRead, LabToRGB({50, 127, -128})},
    {"101 0 0", Lab, '.', kRange, {}},
    {"65636 0 0", Lab, '.', kRange, {}},
    {"50 -129 0", Lab, '.', kRange, {}},
    {"50 0 128", Lab, '.', kRange, {}},
    // RGB[0,1]: real parts with the separator that is passed in.
    {"1.00 - 0.50 - 0.00", Rgb01, '.', kRead, kOrange},  // 127.5 to even
    {"1,00 - 0,50 - 0,00", Rgb01, ',', kRead, kOrange},
    {"1,00 - 0,50 - 0,00", Rgb01, '.', kNumber, {}},
    {"1.00 - 0.50 - 0.00", Rgb01, ',', kNumber, {}},
    {"2.00 - 0 - 0", Rgb01, '.', kRange, {}},
    {"1.5 - 0 - 0", Rgb01, '.', kRange, {}},
    {"0 - 0 - 1.001", Rgb01, '.', kRange, {}},
    {"2 - 0,5 - 0", Rgb01, '.', kNumber, {}},  // no number wins over out of range
    {"1 .5 0.", Rgb01, '.', kRead, kOrange},
    {"1 0.5.0 0", Rgb01, '.', kNumber, {}},
    {"1 . 0", Rgb01, '.', kNumber, {}},
    {"1E0 0 0", Rgb01, '.', kNumber, {}},  // no exponent
    {"1 0", Rgb01, '.', kShape, {}},
    {"1 0 0 0", Rgb01, '.', kShape, {}},
    {"100000000000000000000 0 0", Rgb01, '.', kNumber, {}},
    // No notation selected, or an index beyond the table.
    {"#FF8000", 255, '.', kShape, {}},
    {"#FF8000", 15, '.', kShape, {}},
};

INSTANTIATE_TEST_SUITE_P(Table, ColorCodeReading, testing::ValuesIn(kReadCases));

TEST(ColorStylesheetReading, WhatAStylesheetHoldsReadsInEveryNotation)
{
    const char* const orange[] = {
        "#ff8000ff", "rgb(255 128 0)", "rgb(255, 128, 0)", "RGBA(255,128,0,1)",
        "rgb(100% 50.2% 0%)", "rgb(255 128 0 / 100%)", "hsl(30 100% 50%)", "hsla(30deg, 100%, 50%, 1)",
        "hsl(0.08334turn 100% 50%)", "hsl(33.336grad 100% 50%)", "hsl(0.5236rad 100% 50%)",
        "oklab(0.7319 0.1119 0.1484)", "oklab(73.19% 27.975% 37.1%)", "oklch(73.2% 0.186 53)",
        "  oklch(0.732 0.186 53deg)\n"};
    for (int notation = 0; notation < FormatCount; ++notation)
        for (const char* text : orange) {
            const ColorReadResult r = ReadColorCode(text, std::uint8_t(notation), '.');
            EXPECT_EQ(r.status, ReadStatus::Read) << text << " in " << FormatCaption(notation);
            EXPECT_EQ(r.color, kOrange) << text << " in " << FormatCaption(notation);
            EXPECT_FALSE(r.alphaIgnored || r.outOfGamut) << text;
        }
    // Short forms, names, "none", the decimal comma of a typed code.
    EXPECT_EQ(ReadColorCode("#f80", CssRgb, '.').color, (Rgb{255, 136, 0}));
    EXPECT_EQ(ReadColorCode("RebeccaPurple", Html, '.').color, (Rgb{102, 51, 153}));
    EXPECT_EQ(ReadColorCode("coral", Rgb01, ',').color, (Rgb{255, 127, 80}));
    EXPECT_EQ(ReadColorCode("oklch(50% 0 none)", OkLch, '.').color,
              ReadColorCode("oklab(0.5 0 0)", OkLab, '.').color);
    EXPECT_EQ(ReadColorCode("oklab(0,7319 0,1119 0,1484)", OkLab, ',').color, kOrange);
    EXPECT_EQ(ReadColorCode("rgb(255. 128. 0)", RgbNotation, '.').color, kOrange);
    // Alpha is read and said to be left out.
    EXPECT_TRUE(ReadColorCode("#FF800080", RgbNotation, '.').alphaIgnored);
    EXPECT_TRUE(ReadColorCode("rgb(255 128 0 / 0.5)", Hsl, '.').alphaIgnored);
    EXPECT_TRUE(ReadColorCode("hsla(30, 100%, 50%, 50%)", OkLch, '.').alphaIgnored);
    // The program's own codes keep their meaning: "#FF8000" in TColor is $00FF8000.
    EXPECT_EQ(ReadColorCode("#FF8000", TCol, '.').color, (Rgb{0, 128, 255}));
    EXPECT_EQ(ReadColorCode("30 100 50", Hsv, '.').color, ReadColorCode("30 100 50", Hsv, ',').color);
    // Not a stylesheet's colour.
    for (const char* bad : {"rgb(255 128)", "rgb(255, 128 0)", "rgb(255 128 0 0.5)", "oklab(0.5, 0, 0)",
                            "hsl(30 100% 50% /)", "rgb(1 2 3))", "#ff80f", "#12345", "nocolour", "rgb(none, 0, 0)",
                            "oklch(50% 0.1 30px)", "rgb(inf 0 0)", "rgb(1 2 3) x", ""})
        EXPECT_EQ(ReadColorCode(bad, OkLch, '.').status, ReadStatus::WrongShape) << bad;
}

TEST(ColorStylesheetReading, ColoursBeyondSrgbAreClippedOrMapped)
{
    // rgb() and hsl() clip.
    ColorReadResult r = ReadColorCode("rgb(300 -20 128)", CssRgb, '.');
    EXPECT_EQ(r.color, (Rgb{255, 0, 128}));
    EXPECT_TRUE(r.outOfGamut);
    // OKLCH beyond sRGB keeps lightness and hue and loses chroma.
    r = ReadColorCode("oklch(70% 0.4 150)", OkLch, '.');
    EXPECT_TRUE(r.outOfGamut);
    const TOKLCh mapped = OKLabToOKLCh(ColorToOKLab(r.color));
    EXPECT_NEAR(mapped.L, 0.70, 0.01);
    EXPECT_NEAR(mapped.h, 150, 5);
    EXPECT_LT(mapped.C, 0.25);
    // Lightness beyond white is white; a rounding hair beyond sRGB is no fault.
    EXPECT_EQ(ReadColorCode("oklch(120% 0.2 30)", OkLch, '.').color, kWhite);
    r = ReadColorCode("oklch(62.8% 0.2577 29.23)", OkLch, '.');
    EXPECT_EQ(r.color, (Rgb{255, 0, 0}));
    EXPECT_FALSE(r.outOfGamut);
}

TEST(ColorTypedText, CommaAndFullStopBecomeTheSeparator)
{
    EXPECT_EQ(TypedCodeText("255, 128, 0", '.'), "255. 128. 0");
    EXPECT_EQ(TypedCodeText("1.00 - 0,50", ','), "1,00 - 0,50");
    EXPECT_EQ(ReadColorCode(TypedCodeText("255, 128, 0", '.'), RgbNotation, '.').color, kOrange);
}

TEST(ColorCodeReadingSafety, OddInputsNeverEscape)
{
    const std::string long_digits(100000, '9');
    const std::string texts[] = {long_digits, long_digits + " 1 1", std::string(5000, ' '),
                                 std::string("\0\0\0", 3), "..........", ",,,", "1" + std::string(400, '0') + ".5 0 0"};
    for (const std::string& text : texts)
        for (int notation = 0; notation < FormatCount; ++notation)
            for (char separator : {'.', ','})
                EXPECT_NO_THROW(ReadColorCode(text, std::uint8_t(notation), separator));
}

}  // namespace
