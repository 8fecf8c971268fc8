#include "color/ColorContrast.h"

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

// Rounding in the last bit of the luminance sum must not take an exact ratio
// (21 for black on white) below its tenth; far finer than any pair of 8-bit
// colours can come to a level's threshold from below.
constexpr double kTenthsSlack = 1e-9;

} // namespace

double RelativeLuminance(TColor color)
{
    const auto& linear = LinearChannel();
    return 0.2126 * linear[color & 0xFF] + 0.7152 * linear[(color >> 8) & 0xFF]
           + 0.0722 * linear[(color >> 16) & 0xFF];
}

double ContrastRatio(double luminanceA, double luminanceB)
{
    const double lighter = luminanceA > luminanceB ? luminanceA : luminanceB;
    const double darker = luminanceA > luminanceB ? luminanceB : luminanceA;
    return (lighter + 0.05) / (darker + 0.05);
}

double ContrastRatio(TColor a, TColor b)
{
    return ContrastRatio(RelativeLuminance(a), RelativeLuminance(b));
}

int ContrastTenths(double ratio)
{
    if (!(ratio >= 1))
        return 10;
    if (ratio > 21)
        return 210;
    return int(std::floor(ratio * 10 + kTenthsSlack));
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

bool ContrastReadout::Update(TColor sampled, std::optional<TColor> reference)
{
    if (!reference) {
        reference_.reset();
        if (shownTenths_ == kNothingShown)
            return false;
        shownTenths_ = kNothingShown;
        text_.clear();
        return true;
    }
    if (reference_ != reference) {
        reference_ = reference;
        referenceLuminance_ = RelativeLuminance(*reference);
    }
    const int tenths = ContrastTenths(ContrastRatio(RelativeLuminance(sampled), referenceLuminance_));
    if (tenths == shownTenths_)
        return false;
    shownTenths_ = tenths;
    text_ = ContrastText(tenths, decimalSeparator_, {aaLarge_, fail_});
    return true;
}
