#include "core/color/ColorNames.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "core/color/CssColor.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;
// 25^7, the chroma where G and RC reach half their range.
constexpr double kTwentyFiveToTheSeventh = 6103515625.0;

double Seventh(double x)
{
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

double HueDegrees(double b, double a)
{
    if (a == 0 && b == 0)
        return 0;
    const double h = std::atan2(b, a) / kDegree;
    return h < 0 ? h + 360 : h;
}

double LightnessWeight(double meanL)
{
    const double d = (meanL - 50) * (meanL - 50);
    return 1 + 0.015 * d / std::sqrt(20 + d);
}

// SL is largest at L̄ = 0 or 100; no pair lies closer than |ΔL| / kLargestSL.
const double kLargestSL = LightnessWeight(0);

struct NamedLab {
    std::string_view name;
    TLabReal lab;
};

// The distinct named colours, by rising lightness.
const std::vector<NamedLab>& NamedColorsByLightness()
{
    static const std::vector<NamedLab> table = [] {
        std::vector<NamedLab> named;
        std::vector<Rgb> seen;
        for (const CssNamedColor& c : CssNamedColors()) {
            if (std::find(seen.begin(), seen.end(), c.color) != seen.end())
                continue;
            seen.push_back(c.color);
            named.push_back({c.name, ColorToLab(c.color)});
        }
        std::stable_sort(named.begin(), named.end(),
                         [](const NamedLab& x, const NamedLab& y) { return x.lab.L < y.lab.L; });
        return named;
    }();
    return table;
}

}  // namespace

// The formula and its case rules as Sharma, Wu and Dalal set them out (2005).
double DeltaE2000(TLabReal first, TLabReal second)
{
    const double C1 = std::hypot(first.a, first.b), C2 = std::hypot(second.a, second.b);
    const double meanC7 = Seventh((C1 + C2) / 2);
    const double G = 0.5 * (1 - std::sqrt(meanC7 / (meanC7 + kTwentyFiveToTheSeventh)));
    const double a1 = (1 + G) * first.a, a2 = (1 + G) * second.a;
    const double C1p = std::hypot(a1, first.b), C2p = std::hypot(a2, second.b);
    const double h1 = HueDegrees(first.b, a1), h2 = HueDegrees(second.b, a2);
    const bool achromatic = C1p * C2p == 0;

    const double dL = second.L - first.L;
    const double dC = C2p - C1p;
    double dh = achromatic ? 0 : h2 - h1;
    if (dh > 180)
        dh -= 360;
    else if (dh < -180)
        dh += 360;
    const double dH = 2 * std::sqrt(C1p * C2p) * std::sin(dh / 2 * kDegree);

    const double meanL = (first.L + second.L) / 2;
    const double meanCp = (C1p + C2p) / 2;
    double meanH = h1 + h2;
    if (!achromatic) {
        if (std::fabs(h1 - h2) <= 180)
            meanH /= 2;
        else
            meanH = meanH < 360 ? (meanH + 360) / 2 : (meanH - 360) / 2;
    }
    const double T = 1 - 0.17 * std::cos((meanH - 30) * kDegree) + 0.24 * std::cos(2 * meanH * kDegree) +
                     0.32 * std::cos((3 * meanH + 6) * kDegree) - 0.20 * std::cos((4 * meanH - 63) * kDegree);
    const double dTheta = 30 * std::exp(-((meanH - 275) / 25) * ((meanH - 275) / 25));
    const double meanCp7 = Seventh(meanCp);
    const double RC = 2 * std::sqrt(meanCp7 / (meanCp7 + kTwentyFiveToTheSeventh));
    const double SL = LightnessWeight(meanL);
    const double SC = 1 + 0.045 * meanCp;
    const double SH = 1 + 0.015 * meanCp * T;
    const double RT = -std::sin(2 * dTheta * kDegree) * RC;
    const double l = dL / SL, c = dC / SC, h = dH / SH;
    return std::sqrt(std::max(0.0, l * l + c * c + h * h + RT * c * h));
}

NearestColorName NearestCssColorName(Rgb color)
{
    const TLabReal lab = ColorToLab(color);
    const std::vector<NamedLab>& named = NamedColorsByLightness();
    // Outwards from the colour's lightness: ΔE00 is at least |ΔL| / SL, so
    // once the lightness alone is too far on both sides no name can be nearer.
    const auto start = std::lower_bound(named.begin(), named.end(), lab.L,
                                        [](const NamedLab& n, double L) { return n.lab.L < L; });
    std::ptrdiff_t up = start - named.begin(), down = up - 1;
    const std::ptrdiff_t count = std::ptrdiff_t(named.size());
    NearestColorName best{{}, HUGE_VAL};
    const auto consider = [&](std::ptrdiff_t i) {
        const NamedLab& n = named[std::size_t(i)];
        const double dL = std::fabs(n.lab.L - lab.L);
        if (dL / LightnessWeight((n.lab.L + lab.L) / 2) > best.deltaE)
            return;
        const double d = DeltaE2000(lab, n.lab);
        // Equal differences go to the name first in alphabetical order.
        if (d < best.deltaE || (d == best.deltaE && n.name < best.name)) {
            best = {n.name, d};
        }
    };
    while (down >= 0 || up < count) {
        const double below = down >= 0 ? lab.L - named[std::size_t(down)].lab.L : HUGE_VAL;
        const double above = up < count ? named[std::size_t(up)].lab.L - lab.L : HUGE_VAL;
        if (std::min(below, above) / kLargestSL > best.deltaE)
            break;
        if (below <= above)
            consider(down--);
        else
            consider(up++);
    }
    return best;
}

std::string ColorNameText(const NearestColorName& nearest)
{
    std::array<char, 32> digits{};
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), nearest.deltaE,
                                    std::chars_format::fixed, 1).ptr;
    const std::string_view rounded(digits.data(), std::size_t(end - digits.data()));
    if (rounded == "0.0")
        return std::string(nearest.name);
    return "\u2248 " + std::string(nearest.name) + ", \u0394E " + std::string(rounded);
}
