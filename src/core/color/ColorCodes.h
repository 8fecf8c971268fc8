#pragma once
// Writing a colour as a code in one of the fifteen notations, and reading a
// typed code back. Nothing here depends on the C library's locale: the
// decimal separator of "RGB[0,1]" is always passed in. The last four are the
// notations of today's stylesheets; their codes always use a decimal point.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/color/ColorMath.h"

inline constexpr int FormatCount = 15;
// The first of the stylesheet notations: CSS rgb(), CSS hsl(), OKLab, OKLCH.
inline constexpr int FirstCssFormat = 11;

// A colour's code, written without allocating.
struct ColorCodeText {
    std::array<char, 48> chars{};
    std::size_t size = 0;
    std::string_view View() const { return {chars.data(), size}; }
};
// The code of the colour in the notation of the format index; the empty text
// for an index outside 0 to 14. The stylesheet notations round as CSS Color 4
// writes them (OKLCH: lightness in percent with one decimal, chroma with three,
// hue with one; OKLab: three decimals; CSS hsl(): whole numbers), adding one
// decimal at a time where that rounding would read back as another colour. The
// separator is used by "RGB[0,1]".
ColorCodeText WriteColorCode(int formatIndex, Rgb color, char decimalSeparator);

// Short name written into list files ("HTML", "HSV/HSB", ...); empty outside 0 to 14.
std::string_view FormatShortName(int formatIndex);
// Caption of the notation box ("HTML", "HSB/HSV", ...); empty outside 0 to 14.
std::string_view FormatCaption(int formatIndex);
// A format index given as its number "0" to "14", its caption or its short
// name, letter case ignored; "CSS" names CSS rgb().
std::optional<int> FormatIndexFromName(std::string_view name);

// A colour given as its stored number (0x00BBGGRR, see StoredColor), written
// in decimal or with a "0x" prefix; the top byte is ignored.
std::optional<Rgb> ReadColorValue(std::string_view text);
// The colour's stored number: "0x" and six upper-case hexadecimal digits.
std::string FormatColorValue(Rgb color);

enum class ReadStatus { Read, WrongShape, BadNumber, OutOfRange };

struct ColorReadResult {
    ReadStatus status = ReadStatus::WrongShape;
    Rgb color = kWhite;
    // Read as a stylesheet's colour: it had an alpha below one, which the
    // list cannot keep, or lay outside sRGB and was brought into it.
    bool alphaIgnored = false;
    bool outOfGamut = false;
};

// The text as the code field holds it when typed: every "," and "." becomes
// the decimal separator.
std::string TypedCodeText(std::string_view text, char decimalSeparator);

// True for the notation whose codes hold negative numbers (LAB).
bool NotationHasNegativeNumbers(int formatIndex);

// Strips prefixes ("0x00", "0x", "$00", "$"), turns every character that no
// code uses into a space and leaves single spaces between the parts. In Hexa
// a "0x" before exactly six hexadecimal digits is the program's own prefix and
// only it goes ("0x0000FF" keeps its red 00). In LAB a minus sign directly
// before a digit is kept and begins a part.
std::string NormalizeColorInput(std::string_view text, int formatIndex);

// Reads a code typed or pasted in the notation of the format index (255: none
// selected). Whatever the notation, a stylesheet's colour is read too: a
// text of the form "rgb(", "hsl(", "oklab(", ... or a named colour always
// as such, "#rgb" and the like where the notation's own reading refuses it.
// The stylesheet notations read only stylesheet colours. In the integer notations "," and "." both separate parts,
// whatever the decimal separator; "RGB[0,1]" takes only the decimal separator.
// WrongShape: the text has the wrong length or number of parts for the
// notation, or no notation is selected. BadNumber: the shape is right but a
// part is not a number of the expected kind. OutOfRange: every part is a
// number, but one lies outside its component's range (a hue is an angle and
// goes round instead: HSL 390 is 30). Never throws.
ColorReadResult ReadColorCode(std::string_view text, std::uint8_t formatIndex,
                                    char decimalSeparator);
