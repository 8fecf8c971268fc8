// Which region of an output a compositor must copy for a square of device
// pixels, and where the square lies in the copy.
#include <gtest/gtest.h>

#include "platform/ScreenMapping.h"

TEST(OutputRegion, CoversTheDevicePixelsAtEveryScale)
{
    const struct {
        ScreenArea screen;
        PixelRect device;
        OutputRegion expected;
    } cases[] = {
        // Unscaled, on a screen right of the first one.
        {{{800, 0, 800, 600}, 1.0}, {1000, 100, 39, 39}, {{200, 100, 39, 39}, {0, 0}}},
        // Scale 2, odd device origin: one logical pixel more, the copy starts a pixel early.
        {{{800, 0, 400, 300}, 2.0}, {1001, 101, 39, 39}, {{100, 50, 20, 20}, {1, 1}}},
        {{{800, 0, 400, 300}, 2.0}, {1000, 100, 39, 39}, {{100, 50, 20, 20}, {0, 0}}},
        // Scale 1.5: logical 3 starts at buffer pixel 4.
        {{{0, 0, 100, 100}, 1.5}, {5, 0, 3, 1}, {{3, 0, 3, 1}, {1, 0}}},
        // Against the right and bottom edges of a scaled output: never beyond it.
        {{{0, 0, 400, 300}, 2.0}, {780, 580, 20, 20}, {{390, 290, 10, 10}, {0, 0}}},
    };
    for (const auto& c : cases) {
        const OutputRegion r = OutputRegionFor(c.screen, c.device);
        EXPECT_EQ(r.logical, c.expected.logical) << c.device.x << "," << c.device.y;
        EXPECT_EQ(r.offset, c.expected.offset) << c.device.x << "," << c.device.y;
    }
}
