#include "core/color/ColorCodes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/color/CssColor.h"

namespace {

constexpr std::array<std::string_view, FormatCount> kShortNames = {
    "HTML", "RGB", "HSV/HSB", "HSL", "CMYK", "LAB", "TColor", "Hexa", "HSL255", "HSL240", "RGB01",
    "CSSRGB", "CSSHSL", "OKLAB", "OKLCH"};
constexpr std::array<std::string_view, FormatCount> kCaptions = {
    "HTML", "RGB", "HSB/HSV", "HSL", "CMYK", "LAB", "TColor", "Hexa", "HSL (255)", "HSL (240)", "RGB[0,1]",
    "CSS rgb()", "CSS hsl()", "OKLab", "OKLCH"};

enum FormatIndex {
    kHtml = 0, kRgb, kHsv, kHsl, kCmyk, kLab, kTColor, kHexa, kHsl255, kHsl240, kRgb01,
    kCssRgb, kCssHsl, kOklab, kOklch
};
static_assert(kCssRgb == FirstCssFormat && kOklch + 1 == FormatCount);

constexpr char kHexDigits[] = "0123456789ABCDEF";

class CodeWriter {
public:
    explicit CodeWriter(ColorCodeText& out) : out_(out) {}

    void Text(std::string_view text)
    {
        for (char c : text)
            out_.chars[out_.size++] = c;
    }
    void Hex2(unsigned value)
    {
        out_.chars[out_.size++] = kHexDigits[(value >> 4) & 0xF];
        out_.chars[out_.size++] = kHexDigits[value & 0xF];
    }
    void Int(int value)
    {
        char* begin = out_.chars.data() + out_.size;
        out_.size = std::to_chars(begin, out_.chars.data() + out_.chars.size(), value).ptr -
                    out_.chars.data();
    }
    void IntList(std::initializer_list<int> values)
    {
        const char* separator = "";
        for (int v : values) {
            Text(separator);
            Int(v);
            separator = ", ";
        }
    }
    // The fraction byte/255 of RGBToFractions with two decimals, rounded to
    // the nearest hundredth, as fixed-point formatting of the double gives
    // it, in integer arithmetic at a tenth of the cost. byte*100/255 is never
    // within 1/510 of a tie, far beyond the double's error, so rounding the
    // exact quotient half up gives the same digits for every byte.
    void ByteFraction(std::uint8_t byte, char decimalSeparator)
    {
        const unsigned hundredths = (byte * 200u + 255u) / 510u;
        out_.chars[out_.size++] = char('0' + hundredths / 100);
        out_.chars[out_.size++] = decimalSeparator;
        out_.chars[out_.size++] = char('0' + hundredths / 10 % 10);
        out_.chars[out_.size++] = char('0' + hundredths % 10);
    }

    // Fixed-point with the given decimals, trailing zeros dropped, as a
    // stylesheet writes numbers; never "-0".
    void Decimal(double value, int decimals)
    {
        char* begin = out_.chars.data() + out_.size;
        char* end = std::to_chars(begin, out_.chars.data() + out_.chars.size(), value,
                                  std::chars_format::fixed, decimals).ptr;
        if (std::find(begin, end, '.') != end) {
            while (end[-1] == '0')
                --end;
            if (end[-1] == '.')
                --end;
        }
        if (end - begin == 2 && begin[0] == '-' && begin[1] == '0') {
            begin[0] = '0';
            --end;
        }
        out_.size = std::size_t(end - out_.chars.data());
    }

private:
    ColorCodeText& out_;
};

// Hue, saturation and lightness of the exact bytes, hue in degrees and the
// others in percent.
struct HslReal {
    double h = 0, s = 0, l = 0;
};

HslReal BytesToHslReal(Rgb rgb)
{
    const double r = rgb.r / 255.0, g = rgb.g / 255.0, b = rgb.b / 255.0;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const double l = (hi + lo) / 2, d = hi - lo;
    HslReal hsl;
    hsl.l = l * 100;
    if (d == 0)
        return hsl;
    hsl.s = d / (1 - std::fabs(2 * l - 1)) * 100;
    double h = hi == r ? std::fmod((g - b) / d, 6.0) : hi == g ? (b - r) / d + 2 : (r - g) / d + 4;
    h *= 60;
    if (h < 0)
        h += 360;
    hsl.h = h;
    return hsl;
}

// The code with the least extra decimals that reads back as the colour, and
// not as one beyond sRGB.
template <typename Write>
ColorCodeText ShortestReadingBack(Rgb color, Write write)
{
    constexpr int kMostExtraDecimals = 4;
    ColorCodeText out;
    for (int extra = 0; extra <= kMostExtraDecimals; ++extra) {
        out = {};
        CodeWriter w(out);
        write(w, extra);
        const auto back = ReadCssColor(out.View());
        if (back && back->color == color && !back->outOfGamut)
            break;
    }
    return out;
}

ColorCodeText WriteCssCode(int formatIndex, Rgb rgb)
{
    switch (formatIndex) {
    case kCssRgb: {
        ColorCodeText out;
        CodeWriter w(out);
        w.Text("rgb(");
        w.Int(rgb.r), w.Text(" "), w.Int(rgb.g), w.Text(" "), w.Int(rgb.b);
        w.Text(")");
        return out;
    }
    case kCssHsl: {
        const HslReal hsl = BytesToHslReal(rgb);
        return ShortestReadingBack(rgb, [&](CodeWriter& w, int extra) {
            w.Text("hsl(");
            w.Decimal(hsl.h, extra), w.Text(" ");
            w.Decimal(hsl.s, extra), w.Text("% ");
            w.Decimal(hsl.l, extra), w.Text("%)");
        });
    }
    case kOklab: {
        const TOKLab lab = ColorToOKLab(rgb);
        return ShortestReadingBack(rgb, [&](CodeWriter& w, int extra) {
            w.Text("oklab(");
            w.Decimal(lab.L, 3 + extra), w.Text(" ");
            w.Decimal(lab.a, 3 + extra), w.Text(" ");
            w.Decimal(lab.b, 3 + extra), w.Text(")");
        });
    }
    default: {  // kOklch
        const TOKLCh lch = OKLabToOKLCh(ColorToOKLab(rgb));
        const bool grey = rgb.r == rgb.g && rgb.g == rgb.b;
        return ShortestReadingBack(rgb, [&](CodeWriter& w, int extra) {
            w.Text("oklch(");
            w.Decimal(lch.L * 100, 1 + extra), w.Text("% ");
            if (grey) {
                w.Text("0 none)");
                return;
            }
            w.Decimal(lch.C, 3 + extra), w.Text(" ");
            // A hue that rounds up to 360 is written as 0.
            ColorCodeText hue;
            CodeWriter(hue).Decimal(lch.h, 1 + extra);
            w.Text(hue.View() == "360" ? std::string_view("0") : hue.View());
            w.Text(")");
        });
    }
    }
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
// Trim takes away spaces and control characters.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

// Each removal runs over the whole text before the next pattern is looked for.
void RemoveAllIgnoringCase(std::string& text, std::string_view pattern)
{
    std::size_t kept = 0, i = 0;
    while (i < text.size()) {
        if (EqualIgnoringCase(std::string_view(text).substr(i, pattern.size()), pattern))
            i += pattern.size();
        else
            text[kept++] = text[i++];
    }
    text.resize(kept);
}

// "0x" before exactly six hexadecimal digits, as the program writes Hexa codes.
void RemoveOwnHexaPrefixes(std::string& text)
{
    std::size_t kept = 0, i = 0;
    while (i < text.size()) {
        std::size_t digits = 0;
        if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X'))
            while (i + 2 + digits < text.size() && IsHexDigit(text[i + 2 + digits]))
                ++digits;
        if (digits == 6)
            i += 2;
        else
            text[kept++] = text[i++];
    }
    text.resize(kept);
}

void RemoveChar(std::string& text, char removed)
{
    std::erase(text, removed);
}

// The parts between single spaces. Two spaces in a row give an empty part
// between them and a leading space an empty first part; a space at the very
// end adds no part. Only the first four parts are kept, all are counted.
struct SpaceParts {
    std::array<std::string_view, 4> part;
    std::size_t count = 0;
};

SpaceParts SplitAtSpaces(std::string_view text)
{
    SpaceParts parts;
    const auto add = [&](std::string_view p) {
        if (parts.count < parts.part.size())
            parts.part[parts.count] = p;
        ++parts.count;
    };
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t space = text.find(' ', start);
        if (space == std::string_view::npos) {
            add(text.substr(start));
            break;
        }
        add(text.substr(start, space - start));
        start = space + 1;
    }
    return parts;
}

// Decimal digits only, after a minus sign where allowed, within the signed
// 32-bit range.
std::optional<std::int32_t> ReadIntegerPart(std::string_view part, bool negativeAllowed = false)
{
    const std::string_view digits = negativeAllowed && part.starts_with('-') ? part.substr(1) : part;
    if (digits.empty())
        return std::nullopt;
    for (char c : digits)
        if (!IsDigit(c))
            return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc() || end != part.data() + part.size())
        return std::nullopt;
    return value;
}

// Digits with at most one decimal separator ("1.5", "1.", ".5"). No exponent
// is accepted: the program never writes one, and a part such as "1E5" is far
// more likely a mistyped hexadecimal code than a number. The result must be
// small enough for its component to be rounded to an integer.
std::optional<double> ReadRealPart(std::string_view part, char decimalSeparator)
{
    std::string plain;
    plain.reserve(part.size());
    bool separatorSeen = false, digitSeen = false;
    for (char c : part) {
        if (IsDigit(c)) {
            digitSeen = true;
            plain += c;
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digitSeen)
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    if (!(std::fabs(255 * value) < 9.0e18))
        return std::nullopt;
    return value;
}

struct NumberError {};

std::int32_t IntegerOrThrow(std::string_view part, bool negativeAllowed)
{
    const auto value = ReadIntegerPart(part, negativeAllowed);
    if (!value)
        throw NumberError{};
    return *value;
}

struct RangeError {};

// A component outside its notation's range is refused: kept to its low bits
// it would silently become another colour.
std::int32_t InRange(std::int32_t value, std::int32_t least, std::int32_t most)
{
    if (value < least || value > most)
        throw RangeError{};
    return value;
}

// A hue is an angle: past its full turn it goes round again (390 degrees is
// 30). The full turn itself is kept, as the program writes it for a red
// just short of it.
std::uint16_t Hue(std::int32_t value, std::int32_t fullTurn)
{
    InRange(value, 0, std::numeric_limits<std::int32_t>::max());
    return static_cast<std::uint16_t>(value > fullTurn ? value % fullTurn : value);
}

ColorReadResult Read(Rgb color) { return {ReadStatus::Read, color}; }
ColorReadResult WrongShape() { return {}; }

ColorReadResult ReadHexNotation(std::string normalized, int formatIndex, char decimalSeparator)
{
    std::string text = std::move(normalized);
    RemoveChar(text, decimalSeparator);
    RemoveChar(text, ' ');
    if (text.size() != 6)
        return WrongShape();
    switch (formatIndex) {
    case kHtml:
        return Read(HtmlToColor("#" + text));
    case kTColor:
        return Read(RgbFromStoredColor(HexToInt(text)));
    default: {
        const std::string_view t = text;
        return Read(Rgb{std::uint8_t(HexToInt(t.substr(0, 2))), std::uint8_t(HexToInt(t.substr(2, 2))),
                        std::uint8_t(HexToInt(t.substr(4, 2)))});
    }
    }
}

ColorReadResult ReadIntegerNotation(std::string normalized, int formatIndex)
{
    // The program writes "255, 128, 0"; typed, its commas become the decimal
    // separator, pasted they stay as they are. Either way they only separate.
    std::string text = std::move(normalized);
    RemoveChar(text, ',');
    RemoveChar(text, '.');
    const SpaceParts parts = SplitAtSpaces(text);
    const std::size_t wanted = formatIndex == kCmyk ? 4 : 3;
    if (parts.count != wanted)
        return WrongShape();
    std::array<std::int32_t, 4> v{};
    for (std::size_t i = 0; i < wanted; ++i)
        v[i] = IntegerOrThrow(parts.part[i], NotationHasNegativeNumbers(formatIndex));
    const auto byte = [](std::int32_t x, std::int32_t most) { return static_cast<std::uint8_t>(InRange(x, 0, most)); };
    switch (formatIndex) {
    case kRgb:
        return Read(Rgb{byte(v[0], 255), byte(v[1], 255), byte(v[2], 255)});
    case kHsv:
        return Read(HSVToRGB({Hue(v[0], 360), byte(v[1], 100), byte(v[2], 100)}));
    case kHsl:
    case kHsl255:
    case kHsl240: {
        const THSLScale scale = formatIndex == kHsl ? 0 : formatIndex == kHsl255 ? 1 : 2;
        const std::int32_t most = formatIndex == kHsl ? 100 : formatIndex == kHsl255 ? 255 : 240;
        const std::int32_t fullTurn = formatIndex == kHsl ? 360 : most;
        return Read(HSLToRGB({Hue(v[0], fullTurn), byte(v[1], most), byte(v[2], most)}, scale));
    }
    case kCmyk:
        return Read(CMYKToRGB({byte(v[0], 100), byte(v[1], 100), byte(v[2], 100), byte(v[3], 100)}));
    default: {  // kLab
        const auto signedWord = [](std::int32_t x, std::int32_t least, std::int32_t most) {
            return static_cast<std::int16_t>(InRange(x, least, most));
        };
        return Read(LabToRGB({signedWord(v[0], 0, 100), signedWord(v[1], -128, 127), signedWord(v[2], -128, 127)}));
    }
    }
}

ColorReadResult ReadFractions(std::string_view normalized, char decimalSeparator)
{
    const SpaceParts parts = SplitAtSpaces(normalized);
    if (parts.count != 3)
        return WrongShape();
    std::array<double, 3> v{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = ReadRealPart(parts.part[i], decimalSeparator);
        if (!value)
            throw NumberError{};
        v[i] = *value;
    }
    for (double value : v)
        if (value > 1)
            throw RangeError{};
    TRGBFractions fractions;
    fractions.red = v[0];
    fractions.green = v[1];
    fractions.blue = v[2];
    return Read(FractionsToRGB(fractions));
}

}  // namespace

ColorCodeText WriteColorCode(int formatIndex, Rgb rgb, char decimalSeparator)
{
    ColorCodeText out;
    CodeWriter w(out);
    if (formatIndex >= kCssRgb && formatIndex < FormatCount)
        return WriteCssCode(formatIndex, rgb);
    switch (formatIndex) {
    case kHtml:
        w.Text("#");
        w.Hex2(rgb.r), w.Hex2(rgb.g), w.Hex2(rgb.b);
        break;
    case kRgb:
        w.IntList({rgb.r, rgb.g, rgb.b});
        break;
    case kHsv: {
        const THSVValue hsv = RGBToHSV(rgb);
        w.IntList({hsv.H, hsv.S, hsv.V});
        break;
    }
    case kHsl:
    case kHsl255:
    case kHsl240: {
        const THSLValue hsl = RGBToHSL(formatIndex == kHsl ? 0 : formatIndex == kHsl255 ? 1 : 2, rgb);
        w.IntList({hsl.H, hsl.S, hsl.L});
        break;
    }
    case kCmyk: {
        const TCMYKValue cmyk = RGBToCMYK(rgb);
        w.IntList({cmyk.C, cmyk.M, cmyk.Y, cmyk.K});
        break;
    }
    case kLab: {
        const TLabValue lab = RGBToLab(rgb);
        w.IntList({lab.L, lab.a, lab.b});
        break;
    }
    case kTColor:
        w.Text("$00");
        w.Hex2(rgb.b), w.Hex2(rgb.g), w.Hex2(rgb.r);
        break;
    case kHexa:  // the text of ColorToHexa, written in place
        w.Text("0x");
        w.Hex2(rgb.r), w.Hex2(rgb.g), w.Hex2(rgb.b);
        break;
    case kRgb01:
        w.ByteFraction(rgb.r, decimalSeparator);
        w.Text(" - ");
        w.ByteFraction(rgb.g, decimalSeparator);
        w.Text(" - ");
        w.ByteFraction(rgb.b, decimalSeparator);
        break;
    default:
        break;
    }
    return out;
}

std::string_view FormatShortName(int i) { return i >= 0 && i < FormatCount ? kShortNames[i] : std::string_view{}; }
std::string_view FormatCaption(int i) { return i >= 0 && i < FormatCount ? kCaptions[i] : std::string_view{}; }

std::optional<int> FormatIndexFromName(std::string_view name)
{
    if (const auto number = ReadIntegerPart(name); number && *number < FormatCount)
        return *number;
    if (EqualIgnoringCase(name, "CSS"))
        return kCssRgb;
    for (int i = 0; i < FormatCount; ++i)
        if (EqualIgnoringCase(name, kCaptions[i]) || EqualIgnoringCase(name, kShortNames[i]))
            return i;
    return std::nullopt;
}

std::optional<Rgb> ReadColorValue(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view digits = text.substr(2);
        for (char c : digits)
            if (!IsHexDigit(c))
                return std::nullopt;
        try {
            return RgbFromStoredColor(HexToInt(digits));
        } catch (const EConvertError&) {
            return std::nullopt;
        }
    }
    if (text.empty())
        return std::nullopt;
    for (char c : text)
        if (!IsDigit(c))
            return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return RgbFromStoredColor(value);
}

std::string FormatColorValue(Rgb color)
{
    ColorCodeText out;
    CodeWriter w(out);
    w.Text("0x");
    w.Hex2(color.b), w.Hex2(color.g), w.Hex2(color.r);
    return std::string(out.View());
}

std::string TypedCodeText(std::string_view text, char decimalSeparator)
{
    std::string typed(text);
    for (char& c : typed)
        if (c == ',' || c == '.')
            c = decimalSeparator;
    return typed;
}

bool NotationHasNegativeNumbers(int formatIndex) { return formatIndex == kLab; }

std::string NormalizeColorInput(std::string_view text, int formatIndex)
{
    std::string s(Trim(text));
    if (formatIndex == kHexa)
        RemoveOwnHexaPrefixes(s);
    for (std::string_view prefix : {"0x00", "0x", "$00", "$"})
        RemoveAllIgnoringCase(s, prefix);
    const bool keepMinus = NotationHasNegativeNumbers(formatIndex);
    // Only the characters that some code uses survive; every run of others
    // becomes one space, and none is left at either end.
    std::string out;
    out.reserve(s.size());
    bool pendingSpace = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool minus = keepMinus && c == '-' && i + 1 < s.size() && IsDigit(s[i + 1]);
        if (IsHexDigit(c) || c == ',' || c == '.' || minus) {
            if ((pendingSpace || minus) && !out.empty())
                out += ' ';
            pendingSpace = false;
            out += c;
        } else {
            pendingSpace = true;
        }
    }
    return out;
}

namespace {

// Typed into the code field, every "," and "." became the decimal separator:
// "oklab(0.5 0.1 0.1)" may arrive as "oklab(0,5 0,1 0,1)" and "rgb(255, 128, 0)"
// as "rgb(255. 128. 0)". A stylesheet's decimal point always has a digit after
// it and its comma hardly ever, which tells them apart again.
std::string UntypedStylesheetText(std::string_view typed)
{
    std::string text(typed);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == ',' || text[i] == '.')
            text[i] = i + 1 < text.size() && IsDigit(text[i + 1]) ? '.' : ',';
    return text;
}

std::optional<ColorReadResult> ReadStylesheetColor(std::string_view text)
{
    auto css = ReadCssColor(text);
    if (!css && text.find_first_of(",.") != std::string_view::npos)
        css = ReadCssColor(UntypedStylesheetText(text));
    if (!css)
        return std::nullopt;
    ColorReadResult read = Read(css->color);
    read.alphaIgnored = css->alphaIgnored;
    read.outOfGamut = css->outOfGamut;
    return read;
}

ColorReadResult ReadOwnNotation(std::string_view text, std::uint8_t formatIndex, char decimalSeparator)
{
    try {
        std::string normalized = NormalizeColorInput(text, formatIndex);
        switch (formatIndex) {
        case kHtml:
        case kTColor:
        case kHexa:
            return ReadHexNotation(std::move(normalized), formatIndex, decimalSeparator);
        case kRgb:
        case kHsv:
        case kHsl:
        case kCmyk:
        case kLab:
        case kHsl255:
        case kHsl240:
            return ReadIntegerNotation(std::move(normalized), formatIndex);
        case kRgb01:
            return ReadFractions(normalized, decimalSeparator);
        default:
            return WrongShape();
        }
    } catch (const RangeError&) {
        return {ReadStatus::OutOfRange, kWhite};
    } catch (...) {
        return {ReadStatus::BadNumber, kWhite};
    }
}

}  // namespace

ColorReadResult ReadColorCode(std::string_view text, std::uint8_t formatIndex, char decimalSeparator)
{
    if (formatIndex >= FormatCount)
        return WrongShape();
    const bool cssNotation = formatIndex >= kCssRgb;
    if (cssNotation || LooksLikeCssFunctionOrName(text)) {
        if (const auto css = ReadStylesheetColor(text))
            return *css;
        if (cssNotation)
            return WrongShape();
    }
    const ColorReadResult own = ReadOwnNotation(text, formatIndex, decimalSeparator);
    if (own.status == ReadStatus::Read)
        return own;
    const auto css = ReadStylesheetColor(text);
    return css ? *css : own;
}
