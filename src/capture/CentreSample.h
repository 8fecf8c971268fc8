#pragma once
// The colour a capture takes from a square read around the pointer: the
// pixel at its centre, or the mean of the side x side pixels around it.
#include <QImage>

#include "core/color/ColorMath.h"

// square: Format_RGB32 (or ARGB32), odd sides at least side wide.
Rgb CentreSample(const QImage& square, int side);
