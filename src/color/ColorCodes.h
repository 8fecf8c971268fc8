#pragma once
// Writing a colour as a code in one of the eleven notations, and reading a
// typed code back.
#include <cstdint>
#include <string>
#include <string_view>

#include "color/uColorToolsUtils.h"

inline constexpr int FormatCount = 11;

// The code of the colour in the notation of the format index; the empty text
// for an index outside 0 to 10. The separator is used by "RGB[0,1]".
std::string FormatColorCode(int formatIndex, TColor color, char decimalSeparator);

// Short name written into list files ("HTML", "HSV/HSB", ...); empty outside 0 to 10.
std::string_view FormatShortName(int formatIndex);
// Caption of the notation box ("HTML", "HSB/HSV", ...); empty outside 0 to 10.
std::string_view FormatCaption(int formatIndex);

enum class ReadStatus { Read, WrongShape, BadNumber };

struct ColorReadResult {
    ReadStatus status = ReadStatus::WrongShape;
    TColor color = 0x00FFFFFF;
};

std::string NormalizeColorInput(std::string_view text);

// Reads a code typed in the notation of the format index (255: none selected).
ColorReadResult CBX_FormatReadInput(std::string_view text, std::uint8_t formatIndex,
                                    char decimalSeparator);
