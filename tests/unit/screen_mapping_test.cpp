// Where the square around the cursor lies in device pixels, across monitors
// and scaled screens.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ScreenMapping.h"

namespace {
// A primary monitor, one to its left (negative coordinates) and one above it
// scaled by 2: its logical top-left corner is its device top-left corner.
const std::vector<ScreenArea> kScreens = {
    {{0, 0, 1920, 1080}, 1.0},
    {{-1280, 0, 1280, 1024}, 1.0},
    {{0, -1080, 960, 540}, 2.0},
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
    EXPECT_EQ(DeviceGeometry(kScreens[0]), (PixelRect{0, 0, 1920, 1080}));
    EXPECT_EQ(DeviceGeometry(kScreens[2]), (PixelRect{0, -1080, 1920, 1080}));
    EXPECT_EQ(DeviceGeometry({{10, 20, 101, 50}, 1.5}), (PixelRect{10, 20, 152, 75}));
    // The origin stays; offsets within the screen scale.
    EXPECT_EQ(ToDevicePixel(kScreens[2], {0, -1080}), (PixelPoint{0, -1080}));
    EXPECT_EQ(ToDevicePixel(kScreens[2], {100, -1000}), (PixelPoint{200, -920}));
    EXPECT_EQ(ToDevicePixel(kScreens[1], {-1000, 5}), (PixelPoint{-1000, 5}));
    // A broken ratio counts as 1 rather than collapsing the screen.
    EXPECT_EQ(DeviceGeometry({{0, 0, 100, 100}, 0.0}), (PixelRect{0, 0, 100, 100}));
}

TEST(ScreenMapping, SquareAroundTheCursorKeepsItsSizeInDevicePixels)
{
    EXPECT_EQ(DeviceRectAround(kScreens, {981, 481, 39, 39}), (PixelRect{981, 481, 39, 39}));
    EXPECT_EQ(DeviceRectAround(kScreens, {-40, -19, 39, 39}), (PixelRect{-40, -19, 39, 39}));
    // Centre (100, -1000) on the scaled screen is device (200, -920).
    EXPECT_EQ(DeviceRectAround(kScreens, {81, -1019, 39, 39}), (PixelRect{181, -939, 39, 39}));
    EXPECT_EQ(DeviceRectAround(kScreens, {7, 9, 1, 1}), (PixelRect{7, 9, 1, 1}));
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

    // Off every screen, and an empty rectangle.
    SplitByScreens(kScreens, {5000, 5000, 39, 39}, pieces);
    EXPECT_TRUE(pieces.empty());
    SplitByScreens(kScreens, {0, 0, 0, 39}, pieces);
    EXPECT_TRUE(pieces.empty());
}
