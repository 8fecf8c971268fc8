// Placeholder until the colour model lands: HTML only.
#include "color/ColorCodes.h"

#include <array>

namespace {
constexpr std::array<std::string_view, FormatCount> kShort = {
    "HTML", "RGB", "HSV/HSB", "HSL", "CMYK", "LAB", "TColor", "Hexa", "HSL255", "HSL240", "RGB01"};
constexpr std::array<std::string_view, FormatCount> kCaption = {
    "HTML", "RGB", "HSB/HSV", "HSL", "CMYK", "LAB", "TColor", "Hexa", "HSL (255)", "HSL (240)", "RGB[0,1]"};
}

std::string FormatColorCode(int formatIndex, TColor color, char)
{
    if (formatIndex < 0 || formatIndex >= FormatCount)
        return {};
    static const char* hex = "0123456789ABCDEF";
    std::string s = "#";
    for (int shift : {0, 8, 16}) {
        s += hex[(color >> (shift + 4)) & 0xF];
        s += hex[(color >> shift) & 0xF];
    }
    return s;
}

std::string_view FormatShortName(int i) { return i >= 0 && i < FormatCount ? kShort[i] : std::string_view{}; }
std::string_view FormatCaption(int i) { return i >= 0 && i < FormatCount ? kCaption[i] : std::string_view{}; }

std::string NormalizeColorInput(std::string_view text) { return std::string(text); }

ColorReadResult CBX_FormatReadInput(std::string_view, std::uint8_t, char) { return {}; }
