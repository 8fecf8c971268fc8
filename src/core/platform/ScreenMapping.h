#pragma once
// Screens in two coordinate systems: the desktop's logical coordinates, in
// which windows are placed, and device pixels, which the screen shows. A
// screen's device area is where its pixels lie in the surface that holds them
// (an X root window, a Wayland output's buffer); several screens may share one
// surface, and each scales its logical area about its own origin.
#include <span>
#include <vector>

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    bool Contains(PixelPoint p) const
    {
        return p.x >= x && p.y >= y && p.x - x < width && p.y - y < height;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

PixelRect Intersect(const PixelRect& a, const PixelRect& b);

struct ScreenArea {
    PixelRect logical;  // geometry in logical desktop coordinates
    double ratio = 1.0; // device pixels per logical pixel
    PixelRect device;   // the same area in device pixels

    // A screen whose top-left corner has the same coordinates in both systems
    // (Qt's screens on X11): the device size is the logical size scaled.
    static ScreenArea Scaled(const PixelRect& logical, double ratio);
    friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

// The screen holding the logical point; the nearest one when it lies outside
// them all (the far right or bottom edge, gaps between monitors); -1 without
// screens.
int ScreenIndexAt(std::span<const ScreenArea> screens, PixelPoint logical);
// The same for a device pixel.
int ScreenIndexAtDevice(std::span<const ScreenArea> screens, PixelPoint device);

// The device pixel under a logical point of the screen.
PixelPoint ToDevicePixel(const ScreenArea& screen, PixelPoint logical);
// The logical pixel that holds a device pixel of the screen.
PixelPoint ToLogicalPixel(const ScreenArea& screen, PixelPoint device);

// The square of 2 radius + 1 pixels whose centre is the given pixel.
PixelRect SquareAround(PixelPoint centre, int radius);

// One part of a device rectangle that lies on a screen: which screen, where to
// read it and where it goes in an image of the rectangle's size.
struct GrabPiece {
    int screen = 0;
    PixelRect source;  // device pixels
    PixelPoint target; // offset in the image
};

// Splits the device rectangle into the parts that lie on each screen; what is
// left over lies outside every screen. Reuses the vector's storage.
void SplitByScreens(std::span<const ScreenArea> screens, const PixelRect& device,
                    std::vector<GrabPiece>& pieces);

// Splits the square around a device pixel of screens[home] across screens
// that each hold their pixels in a surface of their own (Wayland outputs:
// device areas start at 0, 0). The others are placed beside the home screen
// as the logical layout has them, joined at their common edges, so the square
// shows the neighbours' pixels there; each piece's source is in its own
// screen's device pixels. The home screen's piece comes last: where placed
// screens overlap, its pixels win.
void SplitAcrossOutputs(std::span<const ScreenArea> screens, int home, const PixelRect& square,
                        std::vector<GrabPiece>& pieces);

// Compositors copy a region of one output given in that output's logical
// coordinates, and deliver it in the output's buffer pixels.
struct OutputRegion {
    PixelRect logical;  // relative to the output's top-left corner, within it
    PixelPoint offset;  // where the wanted device pixels begin in the copy
};

// The region of the screen to ask for so that the copy holds the device
// rectangle (device pixels of that screen). Its origin in buffer pixels is
// the logical origin scaled and rounded down, as wlroots computes it.
OutputRegion OutputRegionFor(const ScreenArea& screen, const PixelRect& device);
