#pragma once
// Reads the screens of an X server: the pointer in device pixels as the
// server reports it, on whichever X screen it is, and squares of that
// screen's root window, one request per monitor the square touches.
#include <cstdint>
#include <vector>

#include "platform/ScreenMapping.h"
#include "platform/ScreenSampler.h"
#include "platform/TrueColorLayout.h"

struct xcb_connection_t;

class X11ScreenSampler : public IScreenSampler {
public:
    // The program's windows are on the X screen programScreen.
    X11ScreenSampler(xcb_connection_t* connection, int programScreen);
    // The X screen an Xlib display opens by default.
    static int ScreenNumber(void* display);

    // The pointer's desktop is its X screen's number.
    ScreenPointer Pointer() override;
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override;

private:
    struct Desktop {
        std::uint32_t root = 0;
        PixelRect bounds; // the root window
        TrueColorLayout layout;
        int bitsPerPixel = 32;
        int scanlinePad = 32;
    };
    // Qt's screens of the program's X screen, in device pixels of its root.
    void ReadScreens();
    void ReadPiece(const Desktop& desktop, const GrabPiece& piece, QImage& out);

    xcb_connection_t* connection_ = nullptr;
    std::vector<Desktop> desktops_;
    int programDesktop_ = 0;
    std::vector<ScreenArea> screens_;
    std::vector<ScreenArea> knownLayout_; // as Qt gave them when the root size was last read
    std::vector<GrabPiece> pieces_;
};
