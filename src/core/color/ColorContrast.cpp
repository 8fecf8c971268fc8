#include "core/color/ColorContrast.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// The linear value of each 8-bit sRGB channel value.
const std::array<double, 256>& LinearChannel()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> linear{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            linear[std::size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return linear;
    }();
    return table;
}

// (L + 0.05) x 10000 x 2^64 of a colour, exact for the doubles of the table:
// each is a whole multiple of 2^-64 (the smallest above 0, 1/3294.6, exceeds
// 2^-12), and the weights 0.2126, 0.7152 and 0.0722 become whole numbers. At
// most 10500 x 2^64, so 210 times it still fits 128 bits.
__extension__ typedef unsigned __int128 ExactLuminance;

ExactLuminance ExactShiftedLuminance(Rgb color)
{
    static const std::array<ExactLuminance, 256> table = [] {
        std::array<ExactLuminance, 256> whole{};
        for (std::size_t i = 0; i < 256; ++i)
            whole[i] = ExactLuminance(std::ldexp(LinearChannel()[i], 64));
        return whole;
    }();
    constexpr ExactLuminance kShift = ExactLuminance(500) << 64;
    return 2126 * table[color.r] + 7152 * table[color.g] + 722 * table[color.b] + kShift;
}

} // namespace

double RelativeLuminance(Rgb color)
{
    const auto& linear = LinearChannel();
    return 0.2126 * linear[color.r] + 0.7152 * linear[color.g] + 0.0722 * linear[color.b];
}

double ContrastRatio(double luminanceA, double luminanceB)
{
    const double lighter = luminanceA > luminanceB ? luminanceA : luminanceB;
    const double darker = luminanceA > luminanceB ? luminanceB : luminanceA;
    return (lighter + 0.05) / (darker + 0.05);
}

double ContrastRatio(Rgb a, Rgb b)
{
    return ContrastRatio(RelativeLuminance(a), RelativeLuminance(b));
}

int ContrastTenths(Rgb a, Rgb b)
{
    const ExactLuminance first = ExactShiftedLuminance(a), second = ExactShiftedLuminance(b);
    const ExactLuminance lighter = first > second ? first : second;
    const ExactLuminance darker = first > second ? second : first;
    return int(10 * lighter / darker);
}

ContrastLevel ContrastLevelOf(int tenths)
{
    if (tenths >= 70)
        return ContrastLevel::AAA;
    if (tenths >= 45)
        return ContrastLevel::AA;
    if (tenths >= 30)
        return ContrastLevel::AALarge;
    return ContrastLevel::Fail;
}

std::string ContrastRatioText(int tenths, char decimalSeparator)
{
    char digits[12];
    const char* end = std::to_chars(digits, digits + sizeof digits, tenths / 10).ptr;
    std::string text(static_cast<const char*>(digits), end);
    text += decimalSeparator;
    text += char('0' + tenths % 10);
    text += ":1";
    return text;
}

std::string ContrastText(int tenths, char decimalSeparator, const ContrastWords& words)
{
    std::string text = ContrastRatioText(tenths, decimalSeparator);
    text += ' ';
    switch (ContrastLevelOf(tenths)) {
    case ContrastLevel::AAA:
        text += "AAA";
        break;
    case ContrastLevel::AA:
        text += "AA";
        break;
    case ContrastLevel::AALarge:
        text += words.aaLarge;
        break;
    case ContrastLevel::Fail:
        text += words.fail;
        break;
    }
    return text;
}

void ContrastReadout::SetStyle(char decimalSeparator, std::string_view aaLarge, std::string_view fail)
{
    decimalSeparator_ = decimalSeparator;
    aaLarge_ = aaLarge;
    fail_ = fail;
    shownTenths_ = kStale;
}

bool ContrastReadout::Update(Rgb sampled, std::optional<Rgb> reference)
{
    if (!reference) {
        if (shownTenths_ == kNothingShown)
            return false;
        shownTenths_ = kNothingShown;
        text_.clear();
        return true;
    }
    const int tenths = ContrastTenths(sampled, *reference);
    if (tenths == shownTenths_)
        return false;
    shownTenths_ = tenths;
    text_ = ContrastText(tenths, decimalSeparator_, {aaLarge_, fail_});
    return true;
}
