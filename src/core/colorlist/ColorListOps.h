#pragma once
// The colour list and the operations that change it in place.
#include <cstdint>
#include <vector>

#include "core/color/ColorMath.h"

using RgbList = std::vector<Rgb>;

void InsertColorFirst(Rgb color, RgbList& list);
void AppendColor(Rgb color, RgbList& list);
// Index arguments are unsigned: a selection of -1 arrives out of range.
void DeleteColor(std::uint32_t index, RgbList& list);
void MoveColorUp(std::uint32_t index, RgbList& list);
void MoveColorDown(std::uint32_t index, RgbList& list);
