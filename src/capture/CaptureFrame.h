#pragma once
// What the capture tick shows: the magnified square around the pointer, the
// colour under the pointer with its code, the pointer's position and the
// contrast of the colour to the list's selected one.
#include <QImage>
#include <QPoint>
#include <QString>

#include "core/color/ColorMath.h"

struct CaptureFrame {
    // The parts a tick changed; a tick that changes none shows nothing.
    enum Part { Magnifier = 0x1, Swatch = 0x2, Position = 0x4, Contrast = 0x8, AllParts = 0xF };

    QImage magnifier; // the magnifier's pixels as shown, cross included (Format_RGB32)
    Rgb color;
    QString code;      // the colour in the chosen notation
    QPoint position;   // the pointer, in desktop coordinates
    QString positionText; // "[x,y]"
    QString contrast; // to the list's selected colour, or nothing
};
