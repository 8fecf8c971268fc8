#pragma once
// Reads the screen: the cursor position and a square of pixels around it, in
// the coordinates of the whole virtual desktop.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <memory>

class IScreenSampler {
public:
    virtual ~IScreenSampler() = default;
    // Cursor position in virtual-desktop coordinates.
    virtual QPoint CursorPos() = 0;
    // Copies the source rectangle into out (Format_RGB32, source size); parts
    // outside every screen are white.
    virtual void Grab(const QRect& source, QImage& out) = 0;
};

// The X11 sampler on the xcb platform, the null one elsewhere.
std::unique_ptr<IScreenSampler> CreateScreenSampler();
