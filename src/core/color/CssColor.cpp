#include "core/color/CssColor.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

namespace {

// A colour as the stylesheets write it, 0xRRGGBB.
constexpr Rgb Hex(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb >> 16), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb)};
}

constexpr CssNamedColor kNamedColors[] = {
    {"aliceblue", Hex(0xF0F8FF)},
    {"antiquewhite", Hex(0xFAEBD7)},
    {"aqua", Hex(0x00FFFF)},
    {"aquamarine", Hex(0x7FFFD4)},
    {"azure", Hex(0xF0FFFF)},
    {"beige", Hex(0xF5F5DC)},
    {"bisque", Hex(0xFFE4C4)},
    {"black", Hex(0x000000)},
    {"blanchedalmond", Hex(0xFFEBCD)},
    {"blue", Hex(0x0000FF)},
    {"blueviolet", Hex(0x8A2BE2)},
    {"brown", Hex(0xA52A2A)},
    {"burlywood", Hex(0xDEB887)},
    {"cadetblue", Hex(0x5F9EA0)},
    {"chartreuse", Hex(0x7FFF00)},
    {"chocolate", Hex(0xD2691E)},
    {"coral", Hex(0xFF7F50)},
    {"cornflowerblue", Hex(0x6495ED)},
    {"cornsilk", Hex(0xFFF8DC)},
    {"crimson", Hex(0xDC143C)},
    {"cyan", Hex(0x00FFFF)},
    {"darkblue", Hex(0x00008B)},
    {"darkcyan", Hex(0x008B8B)},
    {"darkgoldenrod", Hex(0xB8860B)},
    {"darkgray", Hex(0xA9A9A9)},
    {"darkgreen", Hex(0x006400)},
    {"darkgrey", Hex(0xA9A9A9)},
    {"darkkhaki", Hex(0xBDB76B)},
    {"darkmagenta", Hex(0x8B008B)},
    {"darkolivegreen", Hex(0x556B2F)},
    {"darkorange", Hex(0xFF8C00)},
    {"darkorchid", Hex(0x9932CC)},
    {"darkred", Hex(0x8B0000)},
    {"darksalmon", Hex(0xE9967A)},
    {"darkseagreen", Hex(0x8FBC8F)},
    {"darkslateblue", Hex(0x483D8B)},
    {"darkslategray", Hex(0x2F4F4F)},
    {"darkslategrey", Hex(0x2F4F4F)},
    {"darkturquoise", Hex(0x00CED1)},
    {"darkviolet", Hex(0x9400D3)},
    {"deeppink", Hex(0xFF1493)},
    {"deepskyblue", Hex(0x00BFFF)},
    {"dimgray", Hex(0x696969)},
    {"dimgrey", Hex(0x696969)},
    {"dodgerblue", Hex(0x1E90FF)},
    {"firebrick", Hex(0xB22222)},
    {"floralwhite", Hex(0xFFFAF0)},
    {"forestgreen", Hex(0x228B22)},
    {"fuchsia", Hex(0xFF00FF)},
    {"gainsboro", Hex(0xDCDCDC)},
    {"ghostwhite", Hex(0xF8F8FF)},
    {"gold", Hex(0xFFD700)},
    {"goldenrod", Hex(0xDAA520)},
    {"gray", Hex(0x808080)},
    {"green", Hex(0x008000)},
    {"greenyellow", Hex(0xADFF2F)},
    {"grey", Hex(0x808080)},
    {"honeydew", Hex(0xF0FFF0)},
    {"hotpink", Hex(0xFF69B4)},
    {"indianred", Hex(0xCD5C5C)},
    {"indigo", Hex(0x4B0082)},
    {"ivory", Hex(0xFFFFF0)},
    {"khaki", Hex(0xF0E68C)},
    {"lavender", Hex(0xE6E6FA)},
    {"lavenderblush", Hex(0xFFF0F5)},
    {"lawngreen", Hex(0x7CFC00)},
    {"lemonchiffon", Hex(0xFFFACD)},
    {"lightblue", Hex(0xADD8E6)},
    {"lightcoral", Hex(0xF08080)},
    {"lightcyan", Hex(0xE0FFFF)},
    {"lightgoldenrodyellow", Hex(0xFAFAD2)},
    {"lightgray", Hex(0xD3D3D3)},
    {"lightgreen", Hex(0x90EE90)},
    {"lightgrey", Hex(0xD3D3D3)},
    {"lightpink", Hex(0xFFB6C1)},
    {"lightsalmon", Hex(0xFFA07A)},
    {"lightseagreen", Hex(0x20B2AA)},
    {"lightskyblue", Hex(0x87CEFA)},
    {"lightslategray", Hex(0x778899)},
    {"lightslategrey", Hex(0x778899)},
    {"lightsteelblue", Hex(0xB0C4DE)},
    {"lightyellow", Hex(0xFFFFE0)},
    {"lime", Hex(0x00FF00)},
    {"limegreen", Hex(0x32CD32)},
    {"linen", Hex(0xFAF0E6)},
    {"magenta", Hex(0xFF00FF)},
    {"maroon", Hex(0x800000)},
    {"mediumaquamarine", Hex(0x66CDAA)},
    {"mediumblue", Hex(0x0000CD)},
    {"mediumorchid", Hex(0xBA55D3)},
    {"mediumpurple", Hex(0x9370DB)},
    {"mediumseagreen", Hex(0x3CB371)},
    {"mediumslateblue", Hex(0x7B68EE)},
    {"mediumspringgreen", Hex(0x00FA9A)},
    {"mediumturquoise", Hex(0x48D1CC)},
    {"mediumvioletred", Hex(0xC71585)},
    {"midnightblue", Hex(0x191970)},
    {"mintcream", Hex(0xF5FFFA)},
    {"mistyrose", Hex(0xFFE4E1)},
    {"moccasin", Hex(0xFFE4B5)},
    {"navajowhite", Hex(0xFFDEAD)},
    {"navy", Hex(0x000080)},
    {"oldlace", Hex(0xFDF5E6)},
    {"olive", Hex(0x808000)},
    {"olivedrab", Hex(0x6B8E23)},
    {"orange", Hex(0xFFA500)},
    {"orangered", Hex(0xFF4500)},
    {"orchid", Hex(0xDA70D6)},
    {"palegoldenrod", Hex(0xEEE8AA)},
    {"palegreen", Hex(0x98FB98)},
    {"paleturquoise", Hex(0xAFEEEE)},
    {"palevioletred", Hex(0xDB7093)},
    {"papayawhip", Hex(0xFFEFD5)},
    {"peachpuff", Hex(0xFFDAB9)},
    {"peru", Hex(0xCD853F)},
    {"pink", Hex(0xFFC0CB)},
    {"plum", Hex(0xDDA0DD)},
    {"powderblue", Hex(0xB0E0E6)},
    {"purple", Hex(0x800080)},
    {"rebeccapurple", Hex(0x663399)},
    {"red", Hex(0xFF0000)},
    {"rosybrown", Hex(0xBC8F8F)},
    {"royalblue", Hex(0x4169E1)},
    {"saddlebrown", Hex(0x8B4513)},
    {"salmon", Hex(0xFA8072)},
    {"sandybrown", Hex(0xF4A460)},
    {"seagreen", Hex(0x2E8B57)},
    {"seashell", Hex(0xFFF5EE)},
    {"sienna", Hex(0xA0522D)},
    {"silver", Hex(0xC0C0C0)},
    {"skyblue", Hex(0x87CEEB)},
    {"slateblue", Hex(0x6A5ACD)},
    {"slategray", Hex(0x708090)},
    {"slategrey", Hex(0x708090)},
    {"snow", Hex(0xFFFAFA)},
    {"springgreen", Hex(0x00FF7F)},
    {"steelblue", Hex(0x4682B4)},
    {"tan", Hex(0xD2B48C)},
    {"teal", Hex(0x008080)},
    {"thistle", Hex(0xD8BFD8)},
    {"tomato", Hex(0xFF6347)},
    {"turquoise", Hex(0x40E0D0)},
    {"violet", Hex(0xEE82EE)},
    {"wheat", Hex(0xF5DEB3)},
    {"white", Hex(0xFFFFFF)},
    {"whitesmoke", Hex(0xF5F5F5)},
    {"yellow", Hex(0xFFFF00)},
    {"yellowgreen", Hex(0x9ACD32)},
};
static_assert(std::size(kNamedColors) == 148);

constexpr double kPi = 3.14159265358979323846;
// Half a step of an 8-bit channel: no byte tells such a colour from sRGB's.
constexpr double kHalfStep = 0.5 / 255;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lowered(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

const CssNamedColor* FindNamedColor(std::string_view lowerName)
{
    const auto* end = std::end(kNamedColors);
    const auto* found = std::lower_bound(std::begin(kNamedColors), end, lowerName,
                                         [](const CssNamedColor& c, std::string_view n) { return c.name < n; });
    return found != end && found->name == lowerName ? found : nullptr;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<CssColorReading> ReadHexColor(std::string_view digits)
{
    std::array<int, 8> v{};
    if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8)
        return std::nullopt;
    for (std::size_t i = 0; i < digits.size(); ++i)
        if ((v[i] = HexValue(digits[i])) < 0)
            return std::nullopt;
    std::array<int, 4> channel{0, 0, 0, 255};
    const bool shortForm = digits.size() <= 4;
    for (std::size_t i = 0; i < (shortForm ? digits.size() : digits.size() / 2); ++i)
        channel[i] = shortForm ? v[i] * 17 : v[2 * i] * 16 + v[2 * i + 1];
    CssColorReading reading;
    reading.color = {std::uint8_t(channel[0]), std::uint8_t(channel[1]), std::uint8_t(channel[2])};
    reading.alphaIgnored = channel[3] < 255;
    return reading;
}

enum class Unit { None, Number, Percent, Deg, Grad, Rad, Turn };

struct Token {
    double value = 0;
    Unit unit = Unit::None;
};

std::optional<Token> ReadToken(std::string_view text)
{
    if (text == "none")
        return Token{0, Unit::None};
    std::string_view digits = text;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.starts_with('+'))
        return std::nullopt;
    Token token;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), token.value);
    if (error != std::errc() || !std::isfinite(token.value) || end == digits.data())
        return std::nullopt;
    const std::string_view unit(end, std::size_t(digits.data() + digits.size() - end));
    static constexpr std::pair<std::string_view, Unit> kUnits[] = {
        {"", Unit::Number}, {"%", Unit::Percent}, {"deg", Unit::Deg},
        {"grad", Unit::Grad}, {"rad", Unit::Rad}, {"turn", Unit::Turn}};
    for (const auto& [name, kind] : kUnits)
        if (unit == name) {
            token.unit = kind;
            return token;
        }
    return std::nullopt;
}

// A number, a percentage of full (none gives 0), or nothing for other units.
std::optional<double> Amount(const Token& t, double full)
{
    switch (t.unit) {
    case Unit::None: return 0.0;
    case Unit::Number: return t.value;
    case Unit::Percent: return t.value / 100 * full;
    default: return std::nullopt;
    }
}

std::optional<double> HueDegrees(const Token& t)
{
    switch (t.unit) {
    case Unit::None: return 0.0;
    case Unit::Number:
    case Unit::Deg: return t.value;
    case Unit::Grad: return t.value * 0.9;
    case Unit::Rad: return t.value * 180 / kPi;
    case Unit::Turn: return t.value * 360;
    default: return std::nullopt;
    }
}

struct FunctionArgs {
    std::array<Token, 3> channel;
    std::optional<Token> alpha;
};

// "a b c", "a b c / alpha", or with legacyCommas also "a, b, c" and "a, b, c, alpha".
std::optional<FunctionArgs> SplitArgs(std::string_view inside, bool legacyCommas)
{
    std::array<std::string_view, 5> parts;
    std::size_t count = 0, slashAt = 5;
    const bool commas = inside.find(',') != std::string_view::npos;
    if (commas && !legacyCommas)
        return std::nullopt;
    std::size_t i = 0;
    while (i < inside.size()) {
        const char c = inside[i];
        if (IsBlank(c) || (commas && c == ',')) {
            ++i;
            continue;
        }
        if (c == '/') {
            if (commas || slashAt != 5 || count != 3)
                return std::nullopt;
            slashAt = count;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < inside.size() && !IsBlank(inside[end]) && inside[end] != ',' && inside[end] != '/')
            ++end;
        if (count == parts.size())
            return std::nullopt;
        parts[count++] = inside.substr(i, end - i);
        i = end;
    }
    if (commas) {
        // Exactly one comma between parts, none at either end.
        std::size_t commaCount = std::count(inside.begin(), inside.end(), ',');
        const std::string_view trimmed = TrimBlanks(inside);
        if (commaCount + 1 != count || trimmed.starts_with(',') || trimmed.ends_with(','))
            return std::nullopt;
        for (std::size_t p = 0; p < count; ++p)
            if (parts[p] == "none")
                return std::nullopt;
    }
    const bool withAlpha = commas ? count == 4 : slashAt == 3;
    if (count != (withAlpha ? 4u : 3u))
        return std::nullopt;
    FunctionArgs args;
    for (std::size_t p = 0; p < count; ++p) {
        const auto token = ReadToken(parts[p]);
        if (!token)
            return std::nullopt;
        if (p < 3)
            args.channel[p] = *token;
        else
            args.alpha = token;
    }
    return args;
}

TSrgbReal HslToSrgb(double hue, double saturation, double lightness)
{
    hue = std::fmod(hue, 360.0);
    if (hue < 0)
        hue += 360;
    const double a = saturation * std::min(lightness, 1 - lightness);
    const auto f = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12.0);
        return lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {f(0), f(8), f(4)};
}

bool WithinSrgb(TSrgbReal c)
{
    const auto inside = [](double v) { return v >= -kHalfStep && v <= 1 + kHalfStep; };
    return inside(c.R) && inside(c.G) && inside(c.B);
}

TSrgbReal Clipped(TSrgbReal c)
{
    return {std::clamp(c.R, 0.0, 1.0), std::clamp(c.G, 0.0, 1.0), std::clamp(c.B, 0.0, 1.0)};
}

Rgb ToColor(TSrgbReal c)
{
    const TSrgbReal k = Clipped(c);
    return {RoundToByte(k.R * 255), RoundToByte(k.G * 255), RoundToByte(k.B * 255)};
}

double DeltaEOK(TOKLab x, TOKLab y)
{
    return std::hypot(x.L - y.L, x.a - y.a, x.b - y.b);
}

GamutMapped Clip(TSrgbReal c)
{
    return {ToColor(c), !WithinSrgb(c)};
}

std::optional<CssColorReading> ReadFunction(std::string_view name, std::string_view inside)
{
    const bool legacy = name == "rgb" || name == "rgba" || name == "hsl" || name == "hsla";
    const auto args = SplitArgs(inside, legacy);
    if (!args)
        return std::nullopt;
    const auto& [t0, t1, t2] = args->channel;
    GamutMapped mapped;
    if (name == "rgb" || name == "rgba") {
        const auto r = Amount(t0, 255), g = Amount(t1, 255), b = Amount(t2, 255);
        if (!r || !g || !b)
            return std::nullopt;
        mapped = Clip({*r / 255, *g / 255, *b / 255});
    } else if (name == "hsl" || name == "hsla") {
        const auto h = HueDegrees(t0), s = Amount(t1, 100), l = Amount(t2, 100);
        if (!h || !s || !l)
            return std::nullopt;
        mapped = Clip(HslToSrgb(*h, std::max(0.0, *s / 100), *l / 100));
    } else if (name == "oklab") {
        const auto L = Amount(t0, 1), a = Amount(t1, 0.4), b = Amount(t2, 0.4);
        if (!L || !a || !b)
            return std::nullopt;
        mapped = MapIntoSrgb(OKLabToSrgb({std::clamp(*L, 0.0, 1.0), *a, *b}));
    } else if (name == "oklch") {
        const auto L = Amount(t0, 1), C = Amount(t1, 0.4);
        const auto h = HueDegrees(t2);
        if (!L || !C || !h)
            return std::nullopt;
        mapped = MapIntoSrgb(OKLabToSrgb(OKLChToOKLab({std::clamp(*L, 0.0, 1.0), std::max(0.0, *C), *h})));
    } else {
        return std::nullopt;
    }
    CssColorReading reading;
    reading.color = mapped.color;
    reading.outOfGamut = mapped.outOfGamut;
    if (args->alpha) {
        const auto alpha = args->alpha->unit == Unit::None ? std::optional<double>(1.0) : Amount(*args->alpha, 1);
        if (!alpha)
            return std::nullopt;
        reading.alphaIgnored = *alpha < 1;
    }
    return reading;
}

std::string_view FunctionName(std::string_view lower)
{
    const std::size_t open = lower.find('(');
    if (open == std::string_view::npos)
        return {};
    const std::string_view name = lower.substr(0, open);
    for (std::string_view known : {"rgb", "rgba", "hsl", "hsla", "oklab", "oklch"})
        if (name == known)
            return name;
    return {};
}

}  // namespace

double SrgbToLinear(double channel)
{
    const double magnitude = std::fabs(channel);
    const double linear = magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
    return std::copysign(linear, channel);
}

double LinearToSrgb(double linear)
{
    const double magnitude = std::fabs(linear);
    const double channel = magnitude <= 0.0031308 ? magnitude * 12.92 : 1.055 * std::pow(magnitude, 1 / 2.4) - 0.055;
    return std::copysign(channel, linear);
}

// Björn Ottosson's matrices for OKLab over linear sRGB, as he published them.
TOKLab SrgbToOKLab(TSrgbReal srgb)
{
    const double r = SrgbToLinear(srgb.R), g = SrgbToLinear(srgb.G), b = SrgbToLinear(srgb.B);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

TSrgbReal OKLabToSrgb(TOKLab lab)
{
    const double l = lab.L + 0.3963377774 * lab.a + 0.2158037573 * lab.b;
    const double m = lab.L - 0.1055613458 * lab.a - 0.0638541728 * lab.b;
    const double s = lab.L - 0.0894841775 * lab.a - 1.2914855480 * lab.b;
    const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
    return {LinearToSrgb(+4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3),
            LinearToSrgb(-1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3),
            LinearToSrgb(-0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076147010 * s3)};
}

TOKLab ColorToOKLab(Rgb color)
{
    return SrgbToOKLab({color.r / 255.0, color.g / 255.0, color.b / 255.0});
}

TOKLCh OKLabToOKLCh(TOKLab lab)
{
    double hue = std::atan2(lab.b, lab.a) * 180 / kPi;
    if (hue < 0)
        hue += 360;
    if (hue >= 360)
        hue -= 360;
    return {lab.L, std::hypot(lab.a, lab.b), hue};
}

TOKLab OKLChToOKLab(TOKLCh lch)
{
    const double radians = lch.h * kPi / 180;
    return {lch.L, lch.C * std::cos(radians), lch.C * std::sin(radians)};
}

GamutMapped MapIntoSrgb(TSrgbReal srgb)
{
    if (WithinSrgb(srgb))
        return {ToColor(srgb), false};
    constexpr double kJustNoticeable = 0.02;
    constexpr double kEpsilon = 0.0001;
    // Rounded to its decimals, the code of a colour on the edge of sRGB may
    // lie this far beyond it; that is no colour outside sRGB.
    constexpr double kRoundingOfACode = 0.005;
    TSrgbReal clipped = Clipped(srgb);
    const double clipDistance = DeltaEOK(SrgbToOKLab(clipped), SrgbToOKLab(srgb));
    if (clipDistance <= kRoundingOfACode)
        return {ToColor(clipped), false};
    const TOKLCh origin = OKLabToOKLCh(SrgbToOKLab(srgb));
    // Lightness of 1 or 0 may come back from the matrices a hair off.
    if (origin.L >= 1 - 1e-6)
        return {kWhite, true};
    if (origin.L <= 1e-6)
        return {kBlack, true};
    if (clipDistance < kJustNoticeable)
        return {ToColor(clipped), true};
    TOKLCh current = origin;
    double low = 0, high = origin.C;
    bool lowInGamut = true;
    while (high - low > kEpsilon) {
        current.C = (low + high) / 2;
        const TOKLab currentLab = OKLChToOKLab(current);
        const TSrgbReal candidate = OKLabToSrgb(currentLab);
        if (lowInGamut && WithinSrgb(candidate)) {
            low = current.C;
            continue;
        }
        clipped = Clipped(candidate);
        const double distance = DeltaEOK(SrgbToOKLab(clipped), currentLab);
        if (distance < kJustNoticeable) {
            if (kJustNoticeable - distance < kEpsilon)
                break;
            lowInGamut = false;
            low = current.C;
        } else {
            high = current.C;
        }
    }
    return {ToColor(clipped), true};
}

std::optional<CssColorReading> ReadCssColor(std::string_view text)
{
    const std::string lower = Lowered(TrimBlanks(text));
    const std::string_view view = lower;
    if (view.starts_with('#'))
        return ReadHexColor(view.substr(1));
    if (const CssNamedColor* named = FindNamedColor(view))
        return CssColorReading{named->color, false, false};
    const std::string_view name = FunctionName(view);
    if (name.empty() || !view.ends_with(')'))
        return std::nullopt;
    return ReadFunction(name, view.substr(name.size() + 1, view.size() - name.size() - 2));
}

bool LooksLikeCssFunctionOrName(std::string_view text)
{
    const std::string lower = Lowered(TrimBlanks(text));
    return FindNamedColor(lower) || !FunctionName(lower).empty();
}

std::span<const CssNamedColor> CssNamedColors()
{
    return kNamedColors;
}
