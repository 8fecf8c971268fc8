#pragma once
// Colour arithmetic between a colour value (0x00BBGGRR) and the component
// sets of the program's notations.
#include <cstdint>

using TColor = std::uint32_t;

TColor ContrastTextColor(TColor color);
