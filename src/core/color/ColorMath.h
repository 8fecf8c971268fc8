#pragma once
// Colour arithmetic between a colour value (0x00BBGGRR) and the component
// sets of the program's notations.
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

using TColor = std::uint32_t;

// A text that should hold a hexadecimal number does not.
struct EConvertError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct TRGBBytes {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TRGBBytes&, const TRGBBytes&) = default;
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

TRGBBytes ColorToRGBBytes(TColor color);
TColor RGBBytesToColor(TRGBBytes rgb);

int ColorLuminance(TColor color);
// White over dark colours, black over light ones.
TColor ContrastTextColor(TColor color);

// "#RRGGBB" to a colour value; characters after the seventh are not read.
// An empty text gives black. Throws EConvertError on a text of one to six
// characters or on a character that is not a hexadecimal digit.
TColor HtmlToColor(std::string_view html);
// "0xRRGGBB", upper-case digits.
std::string ColorToHexa(TRGBBytes rgb);
// Hexadecimal digits of either case to their value. Throws EConvertError on
// an empty text, a non-hexadecimal character or a value beyond 32 bits.
std::uint32_t HexToInt(std::string_view hex);

THSLValue RGBToHSL(THSLScale scale, TRGBBytes rgb);
float HueToRGB(float lo, float hi, float t);
TRGBBytes HSLToRGB(THSLValue hsl, THSLScale scale);

THSVValue RGBToHSV(TRGBBytes rgb);
TRGBBytes HSVToRGB(THSVValue hsv);

// The colour parts are deliberately not divided by (1 - K).
TCMYKValue RGBToCMYK(TRGBBytes rgb);
TRGBBytes CMYKToRGB(TCMYKValue cmyk);

TRGBFractions RGBToFractions(TRGBBytes rgb);
// No clamping: 1.5 gives 382, stored as 126.
TRGBBytes FractionsToRGB(TRGBFractions fractions);

// CIE L*a*b* over sRGB with the D65 white (95.047, 100, 108.883).
TXYZValue ColorToXYZ(TColor color);
// L clamped to 0-100, a and b to -128..127.
TLabReal XYZToLab(TXYZValue xyz);
TLabReal ColorToLab(TColor color);
TLabValue RGBToLab(TRGBBytes rgb);
TXYZValue LabToXYZ(double L, double a, double b);
TColor XYZToColor(TXYZValue xyz);
TColor LabToColor(double L, double a, double b);
TRGBBytes LabToRGB(TLabValue lab);
