#pragma once
// The colour list and the operations that change it in place.
#include <cstdint>
#include <vector>

#include "core/color/ColorMath.h"

using TColorArray = std::vector<TColor>;

void InsertColorFirst(TColor color, TColorArray& list);
void AppendColor(TColor color, TColorArray& list);
// Index arguments are unsigned: a selection of -1 arrives out of range.
void DeleteColor(std::uint32_t index, TColorArray& list);
void MoveColorUp(std::uint32_t index, TColorArray& list);
void MoveColorDown(std::uint32_t index, TColorArray& list);
