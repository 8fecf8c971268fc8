#pragma once
// The nearest of the CSS named colours to a colour, by the CIEDE2000 colour
// difference in CIE L*a*b*.
#include <string>
#include <string_view>

#include "core/color/ColorMath.h"

// CIEDE2000 (ΔE00) between two L*a*b* colours, with kL = kC = kH = 1.
double DeltaE2000(TLabReal first, TLabReal second);

struct NearestColorName {
    std::string_view name;  // a CSS named colour, "coral"
    double deltaE = 0;
};

// Of two names for the same colour ("aqua" and "cyan", "gray" and "grey")
// the first in alphabetical order.
NearestColorName NearestCssColorName(Rgb color);

// "coral" for the very colour, else "≈ coral, ΔE 1.8" (one decimal, always
// a decimal point).
std::string ColorNameText(const NearestColorName& nearest);
