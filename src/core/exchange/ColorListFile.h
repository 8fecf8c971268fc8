#pragma once
// Colour-list files: the program's own ".txt" lists and GIMP ".gpl" palettes
// on reading, the ".txt" list and the clipboard text on writing.
#include <string>
#include <string_view>

#include "core/colorlist/ColorListOps.h"
#include "core/text/RegularFile.h"

// The largest list file read: twice a list of every one of the 16,777,216
// colours as the program saves it (at most 32 bytes a line, 537 MB). A pipe,
// a device or a file that keeps growing never fills the memory.
inline constexpr std::size_t kMaxColorListFileBytes = std::size_t(1) << 30;

// Every TAB becomes a space and runs of spaces become one space; no trimming.
std::string NormalizeBlanks(std::string_view text);

// "%3d %3d %3d\t%s": red, green, blue right-aligned in 3 characters, a TAB, the code.
std::string ColorListLine(Rgb color, std::string_view code);

// The whole list file: "[RGB,<short name>]" and one ColorListLine per colour,
// each line ended by CR LF. An index outside 0 to 10 gives an empty name and
// empty codes.
std::string ColorListFileText(const RgbList& list, int formatIndex, char decimalSeparator);

// The codes of the list, each followed by CR LF.
std::string ColorListClipboardText(const RgbList& list, int formatIndex, char decimalSeparator);

// The part of a path after its last '/'.
std::string_view FileNamePart(std::string_view path);
// ".txt" or ".gpl", in any letter case, as the extension of the file name part.
bool HasColorListExtension(std::string_view path);

enum class ColorListStatus {
    Loaded,
    BadExtension, // not ".txt" or ".gpl"
    Unreadable,   // missing, a directory, no permission, a read error, not a
                  // regular file, beyond kMaxColorListFileBytes
    BadContent,   // a two-field line, a field that is not a number 0 to 255, no colour at all
    Cancelled,    // the progress asked to stop
};

struct ColorListReadResult {
    ColorListStatus status = ColorListStatus::BadContent;
    RgbList colors; // empty unless Loaded
    FileResult file;    // why, when Unreadable
};

// Applies the reading rules to the bytes of a whole file: lines end at CR LF,
// LF or CR; a UTF-8 byte-order mark is skipped; each line is trimmed, and
// only lines beginning with a digit count; of those, one-field lines are
// skipped and the first three fields of the others are red, green and blue,
// each 0 to 255.
// The progress, if given, hears of each megabyte read and may cancel.
ColorListReadResult ReadColorListText(std::string_view bytes, const Progress& progress = {});

// Checks the extension, reads the whole regular file and applies
// ReadColorListText; the progress runs once over reading and reading through.
ColorListReadResult ReadColorListFile(const std::string& path, const Progress& progress = {});
