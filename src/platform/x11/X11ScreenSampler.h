#pragma once
// Reads the screen of an X server: the pointer position, and squares of the
// root window in device pixels, one request per screen the square touches.
#include <vector>

#include "platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"

struct xcb_connection_t;

class X11ScreenSampler : public IScreenSampler {
public:
    X11ScreenSampler();
    QPoint CursorPos() override;
    // The source square is centred on the device pixel under its logical
    // centre and keeps its size in device pixels, so scaled screens show real
    // pixels.
    void Grab(const QRect& source, QImage& out) override;

private:
    void ReadScreens();
    void ReadPiece(const GrabPiece& piece, QImage& out);

    xcb_connection_t* connection_ = nullptr;
    unsigned root_ = 0;
    // The root's pixels are laid out like QImage::Format_RGB32 (24-bit
    // colour in 32-bit little-endian words): copy them as they come.
    bool rootMatchesImage_ = false;
    std::vector<ScreenArea> screens_;
    std::vector<GrabPiece> pieces_;
};
