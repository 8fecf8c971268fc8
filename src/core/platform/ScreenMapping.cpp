#include "core/platform/ScreenMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

std::int64_t DistanceSquared(const PixelRect& r, PixelPoint p)
{
    const std::int64_t dx = p.x < r.x ? std::int64_t(r.x) - p.x
                            : p.x >= r.x + r.width ? std::int64_t(p.x) - (r.x + r.width - 1)
                                                   : 0;
    const std::int64_t dy = p.y < r.y ? std::int64_t(r.y) - p.y
                            : p.y >= r.y + r.height ? std::int64_t(p.y) - (r.y + r.height - 1)
                                                    : 0;
    return dx * dx + dy * dy;
}

double SafeRatio(const ScreenArea& screen)
{
    return screen.ratio > 0 && std::isfinite(screen.ratio) ? screen.ratio : 1.0;
}

int NearestScreen(std::span<const ScreenArea> screens, PixelPoint p, PixelRect ScreenArea::*area)
{
    int nearest = -1;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const PixelRect& r = screens[i].*area;
        if (r.Empty())
            continue;
        const std::int64_t d = DistanceSquared(r, p);
        if (d == 0)
            return int(i);
        if (d < best) {
            best = d;
            nearest = int(i);
        }
    }
    return nearest;
}

} // namespace

PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const std::int64_t right = std::min(std::int64_t(a.x) + a.width, std::int64_t(b.x) + b.width);
    const std::int64_t bottom = std::min(std::int64_t(a.y) + a.height, std::int64_t(b.y) + b.height);
    if (right <= left || bottom <= top)
        return {};
    return {left, top, int(right - left), int(bottom - top)};
}

ScreenArea ScreenArea::Scaled(const PixelRect& logical, double ratio)
{
    ScreenArea screen{logical, ratio, {}};
    const double r = SafeRatio(screen);
    screen.device = {logical.x, logical.y, int(std::lround(logical.width * r)),
                     int(std::lround(logical.height * r))};
    return screen;
}

int ScreenIndexAt(std::span<const ScreenArea> screens, PixelPoint logical)
{
    return NearestScreen(screens, logical, &ScreenArea::logical);
}

int ScreenIndexAtDevice(std::span<const ScreenArea> screens, PixelPoint device)
{
    return NearestScreen(screens, device, &ScreenArea::device);
}

PixelPoint ToDevicePixel(const ScreenArea& screen, PixelPoint logical)
{
    const double ratio = SafeRatio(screen);
    return {screen.device.x + int(std::lround((double(logical.x) - screen.logical.x) * ratio)),
            screen.device.y + int(std::lround((double(logical.y) - screen.logical.y) * ratio))};
}

PixelPoint ToLogicalPixel(const ScreenArea& screen, PixelPoint device)
{
    const double ratio = SafeRatio(screen);
    return {screen.logical.x + int(std::floor((double(device.x) - screen.device.x) / ratio)),
            screen.logical.y + int(std::floor((double(device.y) - screen.device.y) / ratio))};
}

PixelRect SquareAround(PixelPoint centre, int radius)
{
    return {centre.x - radius, centre.y - radius, 2 * radius + 1, 2 * radius + 1};
}

void SplitByScreens(std::span<const ScreenArea> screens, const PixelRect& device,
                    std::vector<GrabPiece>& pieces)
{
    pieces.clear();
    if (device.Empty())
        return;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const PixelRect part = Intersect(device, screens[i].device);
        if (part.Empty())
            continue;
        pieces.push_back({int(i), part, {part.x - device.x, part.y - device.y}});
    }
}

namespace {

// One axis of a screen: its logical and device extents.
struct Span {
    int logical, logicalLength, device, deviceLength;
    double ratio;
};

// Where a screen's device pixels start along one axis of the home screen's
// device pixels, for a square centred on the home screen's device pixel
// centre (logical pixel centreLogical). Beyond one of the home screen's edges
// the screen is joined to that edge. Level with the home screen, its pixel at
// the centre's logical place lies level with the centre: exact for screens of
// the same scale, and the nearest a square of unscaled pixels can come
// across a seam between screens of different scales.
int PlacedStart(const Span& home, const Span& other, int centre, int centreLogical)
{
    const auto scaled = [](double logical, double ratio) { return int(std::lround(logical * ratio)); };
    if (other.logical + other.logicalLength <= home.logical)
        return home.device + scaled(double(other.logical) + other.logicalLength - home.logical, home.ratio)
               - other.deviceLength;
    if (other.logical >= home.logical + home.logicalLength)
        return home.device + home.deviceLength
               + scaled(double(other.logical) - home.logical - home.logicalLength, home.ratio);
    return centre - scaled(double(centreLogical) - other.logical, other.ratio);
}

} // namespace

void SplitAcrossOutputs(std::span<const ScreenArea> screens, int home, const PixelRect& square,
                        std::vector<GrabPiece>& pieces)
{
    pieces.clear();
    if (square.Empty() || home < 0 || home >= int(screens.size()))
        return;
    const ScreenArea& h = screens[std::size_t(home)];
    const PixelPoint centre{square.x + square.width / 2, square.y + square.height / 2};
    const PixelPoint centreLogical = ToLogicalPixel(h, centre);
    for (std::size_t i = 0; i <= screens.size(); ++i) {
        // The home screen last.
        const std::size_t index = i == screens.size() ? std::size_t(home) : i;
        if (i == std::size_t(home))
            continue;
        const ScreenArea& s = screens[index];
        if (s.logical.Empty() || s.device.Empty())
            continue;
        PixelRect placed = s.device;
        if (index != std::size_t(home)) {
            placed.x = PlacedStart({h.logical.x, h.logical.width, h.device.x, h.device.width, SafeRatio(h)},
                                   {s.logical.x, s.logical.width, s.device.x, s.device.width, SafeRatio(s)},
                                   centre.x, centreLogical.x);
            placed.y = PlacedStart({h.logical.y, h.logical.height, h.device.y, h.device.height, SafeRatio(h)},
                                   {s.logical.y, s.logical.height, s.device.y, s.device.height, SafeRatio(s)},
                                   centre.y, centreLogical.y);
        }
        const PixelRect part = Intersect(square, placed);
        if (part.Empty())
            continue;
        pieces.push_back({int(index),
                          {part.x - placed.x + s.device.x, part.y - placed.y + s.device.y, part.width, part.height},
                          {part.x - square.x, part.y - square.y}});
    }
}

OutputRegion OutputRegionFor(const ScreenArea& screen, const PixelRect& device)
{
    const double ratio = SafeRatio(screen);
    const auto span = [ratio](int from, int length, int limit, int& start, int& size, int& offset) {
        start = std::clamp(int(std::floor(from / ratio)), 0, limit);
        const int end = std::clamp(int(std::ceil((double(from) + length) / ratio)), start, limit);
        size = end - start;
        offset = from - int(std::floor(start * ratio));
    };
    OutputRegion region;
    span(device.x - screen.device.x, device.width, screen.logical.width, region.logical.x, region.logical.width,
         region.offset.x);
    span(device.y - screen.device.y, device.height, screen.logical.height, region.logical.y,
         region.logical.height, region.offset.y);
    return region;
}
