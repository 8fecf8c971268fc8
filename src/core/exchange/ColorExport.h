#pragma once
// The colour list written for other programs: a GIMP palette, CSS custom
// properties, SCSS variables, JSON, or one code a line. Lines end with LF.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/colorlist/ColorListOps.h"
#include "core/text/Progress.h"
#include "core/text/RegularFile.h"

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
std::string ExportColorList(const RgbList& list, ExportFormat format, const ExportSettings& settings);

// About this many bytes at a time, whatever the length of the list.
inline constexpr std::size_t kExportPieceBytes = std::size_t(256) << 10;

// The same text in pieces of about kExportPieceBytes, each handed to take
// with the number of colours written so far; take answers false to stop
// (then this returns false).
bool ExportColorListPieces(const RgbList& list, ExportFormat format, const ExportSettings& settings,
                           const std::function<bool(std::string_view piece, std::size_t colorsDone)>& take);

// Saves the text as WriteRegularFile does, piece by piece: the file is never
// whole in memory. The progress hears of each piece and may cancel; then, as
// on any failure, the old file stays as it was and no other file is left.
FileResult ExportColorListFile(const std::string& path, const RgbList& list, ExportFormat format,
                               const ExportSettings& settings, const Progress& progress = {});
