#pragma once
// Digits picked out of a text (a version "2.0.2.1" as "2021").
#include <string>
#include <string_view>

// The characters '0' to '9' of the text, in order.
std::string ExtractDigits(std::string_view text);
