#pragma once
// The key/value line rules shared by the settings file and the language files,
// and the decoding of their bytes into UTF-8 text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Removes every leading and trailing byte below 33 (blanks and control characters).
std::string_view TrimIniLine(std::string_view line);

// Empty lines and lines starting with ";" or "//" (after trimming) are comments.
bool IsIniComment(std::string_view trimmedLine);

// True when the text before the first "=" is exactly `name`; false without "=".
bool IsIniKey(std::string_view name, std::string_view line);
// The text before the first "="; empty without "=".
std::string_view GetIniKey(std::string_view line);
// The text after the first "="; empty without "=".
std::string_view GetIniValue(std::string_view line);

std::string BoolToIniText(bool value);
// Only exactly "True" is true.
bool IniTextToBool(std::string_view text);

// Whole lines; CR LF, a lone CR and a lone LF each end a line.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The largest settings or language file read, far beyond any real one; a file
// that keeps growing stops there.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t(64) << 20;

// The bytes of a text file as UTF-8: a UTF-8 byte-order mark is skipped, and
// bytes that are not valid UTF-8 are read as Windows-1252 (files made on Windows).
std::string DecodeTextFileBytes(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
