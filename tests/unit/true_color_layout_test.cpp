// Screen pixels of every true-colour layout an X server may use, as RGB words.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/platform/TrueColorLayout.h"

TEST(TrueColorLayout, ConvertsEachLayoutToRgb)
{
    const struct {
        const char* name;
        TrueColorLayout layout;
        std::vector<std::uint8_t> bytes; // two pixels
        std::uint32_t first, second;
    } cases[] = {
        {"depth 24 in words", {32, false, 0xFF0000, 0xFF00, 0xFF},
         {0x56, 0x34, 0x12, 0x00, 0xFF, 0xFF, 0xFF, 0x7F}, 0xFF123456, 0xFFFFFFFF},
        {"depth 24, big-endian", {32, true, 0xFF0000, 0xFF00, 0xFF},
         {0x00, 0x12, 0x34, 0x56, 0x00, 0xAB, 0xCD, 0xEF}, 0xFF123456, 0xFFABCDEF},
        {"three bytes a pixel", {24, false, 0xFF0000, 0xFF00, 0xFF},
         {0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB}, 0xFF123456, 0xFFABCDEF},
        {"blue in the high byte", {32, false, 0xFF, 0xFF00, 0xFF0000},
         {0x56, 0x34, 0x12, 0x00, 0x01, 0x02, 0x03, 0x00}, 0xFF563412, 0xFF010203},
        // 5-6-5: the top bits repeat into the low ones, so full scale stays full.
        {"depth 16", {16, false, 0xF800, 0x07E0, 0x001F}, {0xFF, 0xFF, 0x01, 0x80}, 0xFFFFFFFF,
         0xFF840008},
        {"depth 16, big-endian", {16, true, 0xF800, 0x07E0, 0x001F}, {0x80, 0x01, 0xF8, 0x00},
         0xFF840008, 0xFFFF0000},
        {"depth 15", {16, false, 0x7C00, 0x03E0, 0x001F}, {0x1F, 0x00, 0x00, 0x7C}, 0xFF0000FF,
         0xFFFF0000},
        {"depth 30 keeps the top 8 bits", {32, false, 0x3FF00000, 0xFFC00, 0x3FF},
         {0xFF, 0xFF, 0xFF, 0x3F, 0x00, 0x10, 0x80, 0x20}, 0xFFFFFFFF, 0xFF820100},
        {"depth 8 (3-3-2)", {8, false, 0xE0, 0x1C, 0x03}, {0xE0, 0x25}, 0xFFFF0000, 0xFF242455},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.layout.Valid()) << c.name;
        std::uint32_t out[2] = {};
        c.layout.ToRgb32(c.bytes.data(), 2, out);
        EXPECT_EQ(out[0], c.first) << c.name;
        EXPECT_EQ(out[1], c.second) << c.name;
    }
}

TEST(TrueColorLayout, RefusesWhatItCannotRead)
{
    EXPECT_FALSE(TrueColorLayout().Valid());
    EXPECT_FALSE(TrueColorLayout(12, false, 0xF00, 0xF0, 0xF).Valid());
    EXPECT_FALSE(TrueColorLayout(32, false, 0, 0xFF00, 0xFF).Valid());
    EXPECT_FALSE(TrueColorLayout(32, false, 0xF0F000, 0xFF00, 0xFF).Valid()); // split channel
    EXPECT_FALSE(TrueColorLayout(16, false, 0xFF0000, 0xFF00, 0xFF).Valid()); // wider than a pixel
}
