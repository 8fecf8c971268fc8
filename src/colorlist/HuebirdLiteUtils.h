#pragma once
// The colour list and the operations that change it in place.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "color/uColorToolsUtils.h"

using TColorArray = std::vector<TColor>;

void InsertColorFirst(TColor color, TColorArray& list);
void AppendColor(TColor color, TColorArray& list);
// Index arguments are unsigned: a selection of -1 arrives out of range.
void DeleteColor(std::uint32_t index, TColorArray& list);
void MoveColorUp(std::uint32_t index, TColorArray& list);
void MoveColorDown(std::uint32_t index, TColorArray& list);

// The characters '0' to '9' of the text, in order.
std::string ExtractDigits(std::string_view text);
