// Squares of device pixels on outputs that each have a buffer of their own:
// which outputs hold which part, and which region a compositor must copy.
#include <gtest/gtest.h>

#include "core/platform/ScreenMapping.h"

TEST(OutputRegion, CoversTheDevicePixelsAtEveryScale)
{
    const struct {
        ScreenArea screen;
        PixelRect device;
        OutputRegion expected;
    } cases[] = {
        // Unscaled, on an output right of the first one.
        {{{800, 0, 800, 600}, 1.0, {0, 0, 800, 600}}, {200, 100, 39, 39}, {{200, 100, 39, 39}, {0, 0}}},
        // Scale 2, odd device origin: one logical pixel more, the copy starts a pixel early.
        {{{800, 0, 400, 300}, 2.0, {0, 0, 800, 600}}, {201, 101, 39, 39}, {{100, 50, 20, 20}, {1, 1}}},
        {{{800, 0, 400, 300}, 2.0, {0, 0, 800, 600}}, {200, 100, 39, 39}, {{100, 50, 20, 20}, {0, 0}}},
        // Scale 1.5: logical 3 starts at buffer pixel 4.
        {{{0, 0, 100, 100}, 1.5, {0, 0, 150, 150}}, {5, 0, 3, 1}, {{3, 0, 3, 1}, {1, 0}}},
        // Against the right and bottom edges of a scaled output: never beyond it.
        {{{0, 0, 400, 300}, 2.0, {0, 0, 800, 600}}, {780, 580, 20, 20}, {{390, 290, 10, 10}, {0, 0}}},
    };
    for (const auto& c : cases) {
        const OutputRegion r = OutputRegionFor(c.screen, c.device);
        EXPECT_EQ(r.logical, c.expected.logical) << c.device.x << "," << c.device.y;
        EXPECT_EQ(r.offset, c.expected.offset) << c.device.x << "," << c.device.y;
    }
}

TEST(OutputRegion, JoinsNeighbouringOutputsAtTheirCommonEdges)
{
    // A scale-2 output left of an unscaled one, a third below the unscaled one.
    const std::vector<ScreenArea> outputs = {
        {{0, 0, 400, 300}, 2.0, {0, 0, 800, 600}},
        {{400, 0, 800, 600}, 1.0, {0, 0, 800, 600}},
        {{400, 600, 800, 600}, 1.0, {0, 0, 800, 600}},
    };
    std::vector<GrabPiece> pieces;

    // On the unscaled output by its left edge: the scaled output's last
    // columns, its row at the pointer's height level with the pointer.
    SplitAcrossOutputs(outputs, 1, SquareAround({2, 100}, 4), pieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].screen, 0);
    EXPECT_EQ(pieces[0].source, (PixelRect{798, 196, 2, 9}));
    EXPECT_EQ(pieces[0].target, (PixelPoint{0, 0}));
    EXPECT_EQ(pieces[1].screen, 1);
    EXPECT_EQ(pieces[1].source, (PixelRect{0, 96, 7, 9}));
    EXPECT_EQ(pieces[1].target, (PixelPoint{2, 0}));

    // Its bottom-left corner: the output below; the scaled output ends higher.
    SplitAcrossOutputs(outputs, 1, SquareAround({1, 599}, 2), pieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].screen, 2);
    EXPECT_EQ(pieces[0].source, (PixelRect{0, 0, 4, 2}));
    EXPECT_EQ(pieces[0].target, (PixelPoint{1, 3}));
    EXPECT_EQ(pieces[1].source, (PixelRect{0, 597, 4, 3}));

    // On the scaled output by its right edge, and a home that is not there.
    SplitAcrossOutputs(outputs, 0, SquareAround({799, 10}, 1), pieces);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].screen, 1);
    EXPECT_EQ(pieces[0].source, (PixelRect{0, 4, 1, 3}));
    EXPECT_EQ(pieces[1].screen, 0);
    SplitAcrossOutputs(outputs, 3, SquareAround({1, 1}, 1), pieces);
    EXPECT_TRUE(pieces.empty());
}
