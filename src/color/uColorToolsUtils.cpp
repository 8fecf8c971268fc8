#include "color/uColorToolsUtils.h"

TColor ContrastTextColor(TColor color)
{
    const unsigned r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return ((77 * r + 151 * g + 28 * b) >> 8) < 128 ? 0x00FFFFFF : 0;
}
