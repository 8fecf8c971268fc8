#pragma once
// The colour list written for other programs: a GIMP palette, CSS custom
// properties, SCSS variables, JSON, or one code a line. Lines end with LF.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "colorlist/ColorListOps.h"

enum class ExportFormat { GimpPalette, Css, Scss, Json, Codes };

std::span<const ExportFormat> ExportFormats();
// The short name the command line takes: "gpl", "css", "scss", "json", "codes".
std::string_view ExportFormatName(ExportFormat format);
// A short name, letter case ignored.
std::optional<ExportFormat> ExportFormatFromName(std::string_view name);
// The file name extension, without the point: "gpl", "css", "scss", "json", "txt".
std::string_view ExportFormatExtension(ExportFormat format);

struct ExportSettings {
    // The notation of the codes in names, comments and the plain text; a
    // value outside 0 to 10 (no notation chosen) counts as HTML.
    int formatIndex = 0;
    char decimalSeparator = '.';
    // The palette's name; control characters become spaces.
    std::string_view paletteName = "Huebird Lite";
};

// The whole file. The palette names each colour by its code; CSS and SCSS give
// the HTML code as the value and the chosen notation's code as a comment; JSON
// is an array with one object per colour holding the code of every notation,
// keyed by the notation's short name.
std::string ExportColorList(const TColorArray& list, ExportFormat format, const ExportSettings& settings);
