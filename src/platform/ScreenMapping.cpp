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

} // namespace

int ScreenIndexAt(std::span<const ScreenArea> screens, PixelPoint logical)
{
    int nearest = -1;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (screens[i].logical.Empty())
            continue;
        const std::int64_t d = DistanceSquared(screens[i].logical, logical);
        if (d == 0)
            return int(i);
        if (d < best) {
            best = d;
            nearest = int(i);
        }
    }
    return nearest;
}

PixelRect DeviceGeometry(const ScreenArea& screen)
{
    const double ratio = SafeRatio(screen);
    return {screen.logical.x, screen.logical.y, int(std::lround(screen.logical.width * ratio)),
            int(std::lround(screen.logical.height * ratio))};
}

PixelPoint ToDevicePixel(const ScreenArea& screen, PixelPoint logical)
{
    const double ratio = SafeRatio(screen);
    return {screen.logical.x + int(std::lround((double(logical.x) - screen.logical.x) * ratio)),
            screen.logical.y + int(std::lround((double(logical.y) - screen.logical.y) * ratio))};
}

PixelRect DeviceRectAround(std::span<const ScreenArea> screens, const PixelRect& logical)
{
    const PixelPoint centre{logical.x + logical.width / 2, logical.y + logical.height / 2};
    const int index = ScreenIndexAt(screens, centre);
    const PixelPoint device = index < 0 ? centre : ToDevicePixel(screens[index], centre);
    return {device.x - logical.width / 2, device.y - logical.height / 2, logical.width, logical.height};
}

void SplitByScreens(std::span<const ScreenArea> screens, const PixelRect& device,
                    std::vector<GrabPiece>& pieces)
{
    pieces.clear();
    if (device.Empty())
        return;
    for (const ScreenArea& screen : screens) {
        const PixelRect part = Intersect(device, DeviceGeometry(screen));
        if (part.Empty())
            continue;
        pieces.push_back({part, {part.x - device.x, part.y - device.y}});
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
    span(device.x - screen.logical.x, device.width, screen.logical.width, region.logical.x, region.logical.width,
         region.offset.x);
    span(device.y - screen.logical.y, device.height, screen.logical.height, region.logical.y,
         region.logical.height, region.offset.y);
    return region;
}
