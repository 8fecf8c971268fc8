#pragma once
// Reads the screen: where the pointer is, and the square of device pixels
// around the pixel under its hot spot.
#include <QImage>
#include <QPoint>
#include <memory>

#include "core/platform/ScreenMapping.h"

struct ScreenPointer {
    // The logical pixel under the pointer, in the desktop coordinates the
    // program's windows are placed in.
    QPoint pos;
    // False while the pointer is on another screen of the display than the
    // program's windows (another X screen): pos then tells nothing about them.
    bool onProgramDesktop = true;
    // Which desktop holds the pointer (the sampler's own numbering) and the
    // device pixel under the hot spot there.
    int desktop = 0;
    PixelPoint device;
    friend bool operator==(const ScreenPointer&, const ScreenPointer&) = default;
};

class IScreenSampler {
public:
    virtual ~IScreenSampler() = default;
    virtual ScreenPointer Pointer() = 0;
    // Copies the 2 radius + 1 device pixels square centred on the pointer's
    // device pixel into out (Format_RGB32); parts outside every screen are
    // white.
    virtual void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) = 0;
};

// The X11 sampler on the xcb platform, the null one elsewhere.
std::unique_ptr<IScreenSampler> CreateScreenSampler();
