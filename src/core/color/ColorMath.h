#pragma once
// Colour arithmetic between a colour (its red, green and blue bytes) and the
// component sets of the program's notations.
//
// The results are binding to the last digit: the codes that the program
// writes and reads follow from them. Real results become integers by
// rounding to nearest with ties to even, and are then stored by their low
// bits (no saturation except the clamps named below). The HSV functions and
// HueToRGB work in single precision, everything else in double.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A colour as the program handles it.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// A colour as its number 0x00BBGGRR: the code of the TColor notation and the
// command line's colour values. The top byte is ignored.
using StoredColor = std::uint32_t;

constexpr Rgb RgbFromStoredColor(StoredColor value)
{
    return {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16)};
}

constexpr StoredColor StoredColorFromRgb(Rgb color)
{
    return StoredColor(color.r) | StoredColor(color.g) << 8 | StoredColor(color.b) << 16;
}

// A text that should hold a hexadecimal number does not.
struct EConvertError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The components of the HSB/HSV, HSL and CMYK notations.
struct THSVValue {
    std::uint16_t H = 0;
    std::uint8_t S = 0;
    std::uint8_t V = 0;
    friend bool operator==(const THSVValue&, const THSVValue&) = default;
};

struct THSLValue {
    std::uint16_t H = 0;
    std::uint8_t S = 0;
    std::uint8_t L = 0;
    friend bool operator==(const THSLValue&, const THSLValue&) = default;
};

struct TCMYKValue {
    std::uint8_t C = 0, M = 0, Y = 0, K = 0;
    friend bool operator==(const TCMYKValue&, const TCMYKValue&) = default;
};

struct TLabValue {
    std::int16_t L = 0, a = 0, b = 0;
    friend bool operator==(const TLabValue&, const TLabValue&) = default;
};

// L*a*b* before rounding.
struct TLabReal {
    double L = 0, a = 0, b = 0;
};

struct TXYZValue {
    double X = 0, Y = 0, Z = 0;
};

struct TRGBFractions {
    double blue = 0, green = 0, red = 0;
};

// Units of an HSL triple: 0 degrees and percent, 1 all 0-255, 2 all 0-240;
// any other value is taken as 0.
using THSLScale = int;

// The rounding rule of every component: nearest, ties to even, then the low
// 8 or 16 bits of the integer. Defined for every double (NaN and infinities
// give 0; huge values keep the low bits of their exact integer).
std::uint8_t RoundToByte(double value);
std::uint16_t RoundToWord(double value);
std::int16_t RoundToInt16(double value);

int ColorLuminance(Rgb color);
// White over dark colours, black over light ones.
Rgb ContrastTextColor(Rgb color);

// "#RRGGBB" to a colour; characters after the seventh are not read.
// An empty text gives black. Throws EConvertError on a text of one to six
// characters or on a character that is not a hexadecimal digit.
Rgb HtmlToColor(std::string_view html);
// "0xRRGGBB", upper-case digits.
std::string ColorToHexa(Rgb rgb);
// Hexadecimal digits of either case to their value. Throws EConvertError on
// an empty text, a non-hexadecimal character or a value beyond 32 bits.
std::uint32_t HexToInt(std::string_view hex);

THSLValue RGBToHSL(THSLScale scale, Rgb rgb);
float HueToRGB(float lo, float hi, float t);
Rgb HSLToRGB(THSLValue hsl, THSLScale scale);

THSVValue RGBToHSV(Rgb rgb);
Rgb HSVToRGB(THSVValue hsv);

// The colour parts are deliberately not divided by (1 - K).
TCMYKValue RGBToCMYK(Rgb rgb);
Rgb CMYKToRGB(TCMYKValue cmyk);

TRGBFractions RGBToFractions(Rgb rgb);
// No clamping: 1.5 gives 382, stored as 126.
Rgb FractionsToRGB(TRGBFractions fractions);

// CIE L*a*b* over sRGB with the D65 white (95.047, 100, 108.883).
TXYZValue ColorToXYZ(Rgb color);
// L clamped to 0-100, a and b to -128..127.
TLabReal XYZToLab(TXYZValue xyz);
TLabReal ColorToLab(Rgb color);
TLabValue RGBToLab(Rgb rgb);
TXYZValue LabToXYZ(double L, double a, double b);
Rgb XYZToColor(TXYZValue xyz);
Rgb LabToColor(double L, double a, double b);
Rgb LabToRGB(TLabValue lab);
