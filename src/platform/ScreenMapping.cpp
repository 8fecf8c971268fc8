#include "platform/ScreenMapping.h"

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
