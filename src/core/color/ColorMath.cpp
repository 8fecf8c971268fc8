#include "core/color/ColorMath.h"

#include <algorithm>
#include <cmath>

// Built with -ffp-contract=off (see sources.cmake): a fused multiply-add
// would change the last digit of some codes.

namespace {

// Beyond this every double is an exact integer far outside int64.
constexpr double kInt64Safe = 9.0e18;

std::int64_t RoundedLowBits(double value)
{
    const double rounded = std::nearbyint(value);
    if (std::fabs(rounded) < kInt64Safe)
        return static_cast<std::int64_t>(rounded);
    if (!std::isfinite(rounded))
        return 0;
    // The remainder is exact and keeps the low 16 bits of the integer.
    return static_cast<std::int64_t>(std::fmod(rounded, 65536.0));
}

double Power(double base, double exponent) { return std::exp(exponent * std::log(base)); }

struct HSLUnits {
    double h, s, l;
};

HSLUnits HSLScaleUnits(THSLScale scale)
{
    switch (scale) {
    case 1: return {255, 255, 255};
    case 2: return {240, 240, 240};
    default: return {360, 100, 100};
    }
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

std::uint8_t RoundToByte(double value) { return static_cast<std::uint8_t>(RoundedLowBits(value)); }
std::uint16_t RoundToWord(double value) { return static_cast<std::uint16_t>(RoundedLowBits(value)); }
std::int16_t RoundToInt16(double value) { return static_cast<std::int16_t>(RoundedLowBits(value)); }

int ColorLuminance(Rgb color)
{
    return (77 * color.r + 151 * color.g + 28 * color.b) >> 8;
}

Rgb ContrastTextColor(Rgb color) { return ColorLuminance(color) < 128 ? kWhite : kBlack; }

Rgb HtmlToColor(std::string_view html)
{
    if (html.empty())
        return kBlack;
    if (html.size() < 7)
        throw EConvertError("'" + std::string(html) + "' is not a valid HTML colour");
    const std::uint32_t rrggbb = HexToInt(html.substr(1, 6));
    return {std::uint8_t(rrggbb >> 16), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb)};
}

std::string ColorToHexa(Rgb rgb)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (std::uint8_t v : {rgb.r, rgb.g, rgb.b}) {
        text += kHex[v >> 4];
        text += kHex[v & 0xF];
    }
    return text;
}

std::uint32_t HexToInt(std::string_view hex)
{
    if (hex.empty())
        throw EConvertError("'' is not a valid hexadecimal number");
    std::uint64_t value = 0;
    for (char c : hex) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            throw EConvertError("'" + std::string(hex) + "' is not a valid hexadecimal number");
        value = value << 4 | unsigned(digit);
        if (value > 0xFFFFFFFFu)
            throw EConvertError("'" + std::string(hex) + "' is out of range");
    }
    return std::uint32_t(value);
}

THSLValue RGBToHSL(THSLScale scale, Rgb rgb)
{
    const double r = rgb.r / 255.0, g = rgb.g / 255.0, b = rgb.b / 255.0;
    const double lowest = std::min({r, g, b});
    const double highest = std::max({r, g, b});
    const double d = highest - lowest;
    const double l = (highest + lowest) / 2;
    double h = 0, s = 0;
    if (d != 0) {
        s = l < 0.5 ? d / (highest + lowest) : d / (2 - highest - lowest);
        const double dR = ((highest - r) / 6 + d / 2) / d;
        const double dG = ((highest - g) / 6 + d / 2) / d;
        const double dB = ((highest - b) / 6 + d / 2) / d;
        if (r == highest)
            h = dB - dG;
        else if (g == highest)
            h = 1.0 / 3.0 + dR - dB;
        else
            h = 2.0 / 3.0 + dG - dR;
        if (h < 0)
            h += 1;
        if (h > 1)
            h -= 1;
    }
    const HSLUnits units = HSLScaleUnits(scale);
    return {RoundToWord(units.h * h), RoundToByte(units.s * s), RoundToByte(units.l * l)};
}

float HueToRGB(float lo, float hi, float t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    const float t6 = 6.0f * t;
    if (t6 < 1)
        return lo + (hi - lo) * 6.0f * t;
    const float t2 = 2.0f * t;
    if (t2 < 1)
        return hi;
    const float t3 = 3.0f * t;
    if (t3 < 2)
        return lo + (hi - lo) * (2.0f / 3.0f - t) * 6.0f;
    return lo;
}

Rgb HSLToRGB(THSLValue hsl, THSLScale scale)
{
    const HSLUnits units = HSLScaleUnits(scale);
    const double h = hsl.H / units.h, s = hsl.S / units.s, l = hsl.L / units.l;
    if (s == 0) {
        const std::uint8_t grey = RoundToByte(255 * l);
        return {grey, grey, grey};
    }
    const double hi = l < 0.5 ? l * (1 + s) : (l + s) - s * l;
    const double lo = 2 * l - hi;
    const float red = HueToRGB(float(lo), float(hi), float(h + 1.0 / 3.0));
    const float green = HueToRGB(float(lo), float(hi), float(h));
    const float blue = HueToRGB(float(lo), float(hi), float(h - 1.0 / 3.0));
    return {RoundToByte(255.0 * red), RoundToByte(255.0 * green), RoundToByte(255.0 * blue)};
}

THSVValue RGBToHSV(Rgb rgb)
{
    const float r = rgb.r / 255.0f, g = rgb.g / 255.0f, b = rgb.b / 255.0f;
    const float lowest = std::min({r, g, b});
    const float highest = std::max({r, g, b});
    const float d = highest - lowest;
    const float v = highest;
    float h = 0, s = 0;
    if (d != 0) {
        s = d / highest;
        const float dR = ((highest - r) / 6.0f + d / 2.0f) / d;
        const float dG = ((highest - g) / 6.0f + d / 2.0f) / d;
        const float dB = ((highest - b) / 6.0f + d / 2.0f) / d;
        if (r == highest)
            h = dB - dG;
        else if (g == highest)
            h = 1.0f / 3.0f + dR - dB;
        else
            h = 2.0f / 3.0f + dG - dR;
        if (h < 0)
            h += 1;
        if (h > 1)
            h -= 1;
    }
    const float hue = 360.0f * h, saturation = 100.0f * s, value = 100.0f * v;
    return {RoundToWord(hue), RoundToByte(saturation), RoundToByte(value)};
}

Rgb HSVToRGB(THSVValue hsv)
{
    const float h = hsv.H / 360.0f, s = hsv.S / 100.0f, v = hsv.V / 100.0f;
    float r, g, b;
    if (s == 0) {
        r = g = b = v;
    } else {
        float h6 = 6.0f * h;
        if (h6 >= 6)
            h6 -= 6;
        const float sectorStart = std::floor(h6);
        const float f = h6 - sectorStart;
        const float p = v * (1 - s);
        const float q = v * (1 - s * f);
        const float t = v * (1 - s * (1 - f));
        switch (static_cast<int>(sectorStart)) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
        }
    }
    const float red = 255.0f * r, green = 255.0f * g, blue = 255.0f * b;
    return {RoundToByte(red), RoundToByte(green), RoundToByte(blue)};
}

TCMYKValue RGBToCMYK(Rgb rgb)
{
    const int c = 255 - rgb.r, m = 255 - rgb.g, y = 255 - rgb.b;
    const int k = std::min({c, m, y});
    return {RoundToByte((c - k) * 100 / 255.0), RoundToByte((m - k) * 100 / 255.0),
            RoundToByte((y - k) * 100 / 255.0), RoundToByte(100 * k / 255.0)};
}

Rgb CMYKToRGB(TCMYKValue cmyk)
{
    const auto part = [k = int(cmyk.K)](int colourPart) {
        double v = 255 - (colourPart + k) * 255 / 100.0;
        if (v < 0)
            v = 0;
        return RoundToByte(v);
    };
    return {part(cmyk.C), part(cmyk.M), part(cmyk.Y)};
}

TRGBFractions RGBToFractions(Rgb rgb)
{
    TRGBFractions f;
    f.red = rgb.r / 255.0;
    f.green = rgb.g / 255.0;
    f.blue = rgb.b / 255.0;
    return f;
}

Rgb FractionsToRGB(TRGBFractions fractions)
{
    return {RoundToByte(255 * fractions.red), RoundToByte(255 * fractions.green),
            RoundToByte(255 * fractions.blue)};
}

TXYZValue ColorToXYZ(Rgb color)
{
    const auto linear = [](std::uint8_t component) {
        double v = component / 255.0;
        if (v <= 0.04045)
            v = v / 12.92;
        else
            v = Power((v + 0.055) / 1.055, 2.4);
        return 100 * v;
    };
    const double r = linear(color.r), g = linear(color.g), b = linear(color.b);
    return {0.4124 * r + 0.3576 * g + 0.1805 * b, 0.2126 * r + 0.7152 * g + 0.0722 * b,
            0.0193 * r + 0.1192 * g + 0.9505 * b};
}

TLabReal XYZToLab(TXYZValue xyz)
{
    const auto f = [](double t) { return t > 0.008856 ? Power(t, 1.0 / 3.0) : 7.787 * t + 0.138; };
    const double fx = f(xyz.X / 95.047), fy = f(xyz.Y / 100), fz = f(xyz.Z / 108.883);
    TLabReal lab{116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
    lab.L = std::clamp(lab.L, 0.0, 100.0);
    lab.a = std::clamp(lab.a, -128.0, 127.0);
    lab.b = std::clamp(lab.b, -128.0, 127.0);
    return lab;
}

TLabReal ColorToLab(Rgb color) { return XYZToLab(ColorToXYZ(color)); }

TLabValue RGBToLab(Rgb rgb)
{
    const TLabReal lab = ColorToLab(rgb);
    return {RoundToInt16(lab.L), RoundToInt16(lab.a), RoundToInt16(lab.b)};
}

TXYZValue LabToXYZ(double L, double a, double b)
{
    const auto g = [](double t) { return t > 0.2069 ? t * t * t : (t - 0.138) / 7.787; };
    const double fy = (L + 16) / 116;
    const double fx = a / 500 + fy;
    const double fz = fy - b / 200;
    return {95.047 * g(fx), 100 * g(fy), 108.883 * g(fz)};
}

Rgb XYZToColor(TXYZValue xyz)
{
    const double x = xyz.X / 100, y = xyz.Y / 100, z = xyz.Z / 100;
    const auto companded = [](double v) {
        if (v <= 0.00313)
            v = 12.92 * v;
        else
            v = 1.055 * Power(v, 1 / 2.4) - 0.055;
        return std::clamp(v, 0.0, 1.0);
    };
    const double r = companded(3.2406 * x - 1.5372 * y - 0.49 * z);
    const double g = companded(-0.969 * x + 1.8758 * y + 0.0415 * z);
    const double b = companded(0.0557 * x - 0.204 * y + 1.057 * z);
    return {RoundToByte(255 * r), RoundToByte(255 * g), RoundToByte(255 * b)};
}

Rgb LabToColor(double L, double a, double b) { return XYZToColor(LabToXYZ(L, a, b)); }

Rgb LabToRGB(TLabValue lab) { return LabToColor(lab.L, lab.a, lab.b); }
