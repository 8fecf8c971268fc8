#pragma once
// Where a square of screen pixels around the cursor lies in device pixels.
// Screens are given in the desktop's logical coordinates with their device
// pixel ratio; each keeps its top-left corner in both coordinate systems and
// scales only within itself, so device pixels of the whole desktop are the
// root window's pixels.
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

struct ScreenArea {
    PixelRect logical;  // geometry in logical desktop coordinates
    double ratio = 1.0; // device pixels per logical pixel
};

// The screen holding the point; the nearest one when it lies outside them all
// (the far right or bottom edge, gaps between monitors); -1 without screens.
int ScreenIndexAt(std::span<const ScreenArea> screens, PixelPoint logical);

// The screen's rectangle in device pixels.
PixelRect DeviceGeometry(const ScreenArea& screen);

// The device pixel under a logical point of the screen.
PixelPoint ToDevicePixel(const ScreenArea& screen, PixelPoint logical);

// The device rectangle of the logical rectangle's size whose centre pixel
// (width / 2, height / 2) is the device pixel under the logical rectangle's
// centre, on the screen nearest to that centre: scaled screens give real
// device pixels around the cursor rather than an enlarged logical area.
PixelRect DeviceRectAround(std::span<const ScreenArea> screens, const PixelRect& logical);

// One part of a device rectangle that lies on a screen: where to read it and
// where it goes in an image of the rectangle's size.
struct GrabPiece {
    PixelRect source; // device pixels of the desktop
    PixelPoint target; // offset in the image
};

// Splits the device rectangle into the parts that lie on each screen; what is
// left over lies outside every screen. Reuses the vector's storage.
void SplitByScreens(std::span<const ScreenArea> screens, const PixelRect& device,
                    std::vector<GrabPiece>& pieces);

// Compositors copy a region of one output given in that output's logical
// coordinates, and deliver it in the output's buffer pixels.
struct OutputRegion {
    PixelRect logical;  // relative to the output's top-left corner, within it
    PixelPoint offset;  // where the wanted device pixels begin in the copy
};

// The region of the screen to ask for so that the copy holds the device
// rectangle (desktop device pixels on that screen, as SplitByScreens gives
// them). Its origin in buffer pixels is the logical origin scaled and rounded
// down, as wlroots computes it.
OutputRegion OutputRegionFor(const ScreenArea& screen, const PixelRect& device);
