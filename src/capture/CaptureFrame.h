#pragma once
// What the capture tick shows: the magnified square around the pointer, the
// colour under the pointer with its code, and the pointer's position.
#include <QImage>
#include <QPoint>
#include <QString>

#include "color/ColorMath.h"

struct CaptureFrame {
    // The parts a tick changed; a tick that changes none shows nothing.
    enum Part { Magnifier = 0x1, Swatch = 0x2, Position = 0x4, AllParts = 0x7 };

    QImage magnifier; // the magnifier's pixels as shown, cross included (Format_RGB32)
    TColor color = 0;
    QString code;      // the colour in the chosen notation
    QPoint position;   // the pointer, in desktop coordinates
    QString positionText; // "[x,y]"
};
