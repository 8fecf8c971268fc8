// Where the square around the cursor lies in device pixels, across monitors
// and scaled screens.
#include <gtest/gtest.h>

#include <vector>

#include "core/platform/ScreenMapping.h"

namespace {
// A primary monitor, one to its left (negative coordinates) and one above it
// scaled by 2: its logical top-left corner is its device top-left corner.
const std::vector<ScreenArea> kScreens = {
    ScreenArea::Scaled({0, 0, 1920, 1080}, 1.0),
    ScreenArea::Scaled({-1280, 0, 1280, 1024}, 1.0),
    ScreenArea::Scaled({0, -1080, 960, 540}, 2.0),
};
} // namespace

TEST(ScreenMapping, ScreenUnderThePointOrTheNearestOne)
{
    const struct {
        PixelPoint p;
        int screen;
    } cases[] = {
        {{0, 0}, 0},       {{1919, 1079}, 0}, {{-1, 10}, 1},  {{-1280, 1023}, 1},
        {{100, -541}, 2},  {{959, -1080}, 2},
        {{100, -1}, 0},     // the logical gap below the scaled screen
        {{1920, 500}, 0},  // just beyond the right edge
        {{-1300, 1200}, 1}, // below the left monitor
        {{1500, -100}, 0},  // beside the upper monitor, nearer the primary one
        {{-5, -5}, 1},      // the corner between three monitors: the left one is nearest (5 px)
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenIndexAt(kScreens, c.p), c.screen) << c.p.x << "," << c.p.y;
    EXPECT_EQ(ScreenIndexAt({}, {0, 0}), -1);
}

TEST(ScreenMapping, DevicePixelsOfScaledScreens)
{
    EXPECT_EQ(kScreens[0].device, (PixelRect{0, 0, 1920, 1080}));
    EXPECT_EQ(kScreens[2].device, (PixelRect{0, -1080, 1920, 1080}));
    EXPECT_EQ(ScreenArea::Scaled({10, 20, 101, 50}, 1.5).device, (PixelRect{10, 20, 152, 75}));
    // The origin stays; offsets within the screen scale.
    EXPECT_EQ(ToDevicePixel(kScreens[2], {0, -1080}), (PixelPoint{0, -1080}));
    EXPECT_EQ(ToDevicePixel(kScreens[2], {100, -1000}), (PixelPoint{200, -920}));
    EXPECT_EQ(ToDevicePixel(kScreens[1], {-1000, 5}), (PixelPoint{-1000, 5}));
    // A broken ratio counts as 1 rather than collapsing the screen.
    EXPECT_EQ(ScreenArea::Scaled({0, 0, 100, 100}, 0.0).device, (PixelRect{0, 0, 100, 100}));
}

TEST(ScreenMapping, EveryDevicePixelBelongsToTheLogicalPixelHoldingIt)
{
    // Odd and even device pixels of a screen scaled by 2 share their logical pixel.
    const struct {
        PixelPoint device;
        PixelPoint logical;
    } cases[] = {{{0, -1080}, {0, -1080}}, {{1, -1079}, {0, -1080}}, {{201, -919}, {100, -1000}},
                 {{1919, -1}, {959, -541}}};
    for (const auto& c : cases) {
        ASSERT_EQ(ScreenIndexAtDevice(kScreens, c.device), 2) << c.device.x << "," << c.device.y;
        EXPECT_EQ(ToLogicalPixel(kScreens[2], c.device), c.logical) << c.device.x << "," << c.device.y;
    }
    // By 1.5, around an origin of its own (an output's buffer), and left of zero.
    const ScreenArea output{{-300, 100, 200, 100}, 1.5, {0, 0, 300, 150}};
    EXPECT_EQ(ToLogicalPixel(output, {0, 0}), (PixelPoint{-300, 100}));
    EXPECT_EQ(ToLogicalPixel(output, {1, 2}), (PixelPoint{-300, 101}));
    EXPECT_EQ(ToLogicalPixel(output, {299, 149}), (PixelPoint{-101, 199}));
    EXPECT_EQ(ToDevicePixel(output, {-101, 199}), (PixelPoint{299, 149}));
    EXPECT_EQ(ToLogicalPixel(kScreens[1], {-1, 0}), (PixelPoint{-1, 0}));
    EXPECT_EQ(SquareAround({-1, 7}, 19), (PixelRect{-20, -12, 39, 39}));
    EXPECT_EQ(SquareAround({5, 5}, 0), (PixelRect{5, 5, 1, 1}));
}

TEST(ScreenMapping, SplitsTheSquareByScreensAndLeavesTheRestOut)
{
    std::vector<GrabPiece> pieces;
    // Wholly on the primary screen.
    SplitByScreens(kScreens, {100, 100, 39, 39}, pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].source, (PixelRect{100, 100, 39, 39}));
    EXPECT_EQ(pieces[0].target, (PixelPoint{0, 0}));

    // Across the border with the left monitor.
    SplitByScreens(kScreens, {-10, 500, 39, 39}, pieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].source, (PixelRect{0, 500, 29, 39}));
    EXPECT_EQ(pieces[0].target, (PixelPoint{10, 0}));
    EXPECT_EQ(pieces[1].source, (PixelRect{-10, 500, 10, 39}));
    EXPECT_EQ(pieces[1].target, (PixelPoint{0, 0}));

    // The bottom-right corner of the desktop: only the top-left quarter is on a screen.
    SplitByScreens(kScreens, {1900, 1060, 39, 39}, pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].source, (PixelRect{1900, 1060, 20, 20}));
    EXPECT_EQ(pieces[0].target, (PixelPoint{0, 0}));

    // Corner of three monitors: the gap above the left one stays out.
    SplitByScreens(kScreens, {-19, -19, 39, 39}, pieces);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].source, (PixelRect{0, 0, 20, 20}));
    EXPECT_EQ(pieces[1].source, (PixelRect{-19, 0, 19, 20}));
    EXPECT_EQ(pieces[2].source, (PixelRect{0, -19, 20, 19}));
    EXPECT_EQ(pieces[2].target, (PixelPoint{19, 0}));
    EXPECT_EQ(pieces[2].screen, 2);

    // Off every screen, and an empty rectangle.
    SplitByScreens(kScreens, {5000, 5000, 39, 39}, pieces);
    EXPECT_TRUE(pieces.empty());
    SplitByScreens(kScreens, {0, 0, 0, 39}, pieces);
    EXPECT_TRUE(pieces.empty());
}
