#pragma once
// Message texts from language files are data, not code: "%s" and "%d" are
// filled by this small formatter, never by printf-style functions.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

using FormatArg = std::variant<std::string, std::int64_t>;

// Fills "%s" and "%d" from the arguments in order; "%%" gives "%". A
// placeholder without an argument, an unknown placeholder and a lone "%" are
// copied as they stand; surplus arguments are ignored. A "%d" given a text, or
// a "%s" given a number, writes the value as text.
std::string FillFormatText(std::string_view format, std::initializer_list<FormatArg> args);

// Removes every decimal separator followed by "00" (after filling).
std::string RemoveDecimalZeros(std::string text, char decimalSeparator);

// FillFormatText, then RemoveDecimalZeros.
std::string FormatMessageText(std::string_view format, std::initializer_list<FormatArg> args,
                              char decimalSeparator);
