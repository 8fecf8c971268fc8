#pragma once
// Between the colour core's values and Qt's widgets.
#include <QColor>
#include <QWidget>

#include "core/color/ColorMath.h"

QColor ToQColor(Rgb color);
Rgb FromQColor(const QColor& color);

// Moves the window, frame included, to the middle of the primary screen's free area.
void CentreOnScreen(QWidget& window);
