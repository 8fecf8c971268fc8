#include "color/ColorContrast.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kBlack = 0x000000, kWhite = 0xFFFFFF;

TEST(ContrastRatio, ReferencePairs)
{
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
    EXPECT_NEAR(RelativeLuminance(kWhite), 1.0, 1e-12);
    EXPECT_EQ(ContrastText(ContrastTenths(ContrastRatio(kBlack, kWhite)), '.'), "21.0:1 AAA");
    EXPECT_EQ(ContrastText(ContrastTenths(ContrastRatio(kWhite, kWhite)), '.'), "1.0:1 fail");
    // Grey #777777 on white: 4.48, too little for normal text.
    EXPECT_NEAR(ContrastRatio(0x777777, kWhite), 4.478, 0.001);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, 0x777777), ContrastRatio(0x777777, kWhite));
    EXPECT_EQ(ContrastLevelOf(ContrastTenths(ContrastRatio(0x777777, kWhite))), ContrastLevel::AALarge);
    EXPECT_EQ(ContrastText(ContrastTenths(ContrastRatio(0x767676, kWhite)), '.'), "4.5:1 AA");
    // Pure red on white: luminance 0.2126, ratio 3.998.
    EXPECT_NEAR(ContrastRatio(0x0000FF, kWhite), 3.998, 0.001);
}

TEST(ContrastRatio, RoundsDownAtEachThreshold)
{
    // The 8-bit colours nearest below and above 3, 4.5 and 7 on white.
    struct Case {
        TColor color;
        const char* text;
    };
    const Case cases[] = {
        {0xFF78B1, "2.9:1 fail"},     // 2.999995
        {0xFF34FA, "3.0:1 AA large"}, // 3.000002
        {0x808500, "4.4:1 AA large"}, // 4.499954
        {0x0014EC, "4.5:1 AA"},       // 4.500030
        {0x0018B1, "6.9:1 AA"},       // 6.999823
        {0xFF234D, "7.0:1 AAA"},      // 7.000073
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContrastText(ContrastTenths(ContrastRatio(c.color, kWhite)), '.'), c.text) << std::hex << c.color;
}

TEST(ContrastRatio, TextTakesTheSeparatorAndTranslatedWords)
{
    EXPECT_EQ(ContrastText(32, ',', {"AA grand texte", "insuffisant"}), "3,2:1 AA grand texte");
    EXPECT_EQ(ContrastText(19, ',', {"AA grand texte", "insuffisant"}), "1,9:1 insuffisant");
    EXPECT_EQ(ContrastText(74, ','), "7,4:1 AAA");
}

TEST(ContrastReadout, WritesTheTextOnlyWhenItChanges)
{
    ContrastReadout readout;
    EXPECT_FALSE(readout.Update(kBlack, std::nullopt));
    EXPECT_EQ(readout.Text(), "");

    EXPECT_TRUE(readout.Update(kBlack, kWhite));
    EXPECT_EQ(readout.Text(), "21.0:1 AAA");
    EXPECT_FALSE(readout.Update(kBlack, kWhite));
    EXPECT_TRUE(readout.Update(0x777777, kWhite));
    EXPECT_EQ(readout.Text(), "4.4:1 AA large");
    EXPECT_FALSE(readout.Update(0x777778, kWhite)); // 4.46: the same tenth

    // Another reference colour counts at once.
    EXPECT_TRUE(readout.Update(0x777777, kBlack));
    EXPECT_EQ(readout.Text(), "4.6:1 AA");

    readout.SetStyle(',', "AA groß", "ungenügend");
    EXPECT_TRUE(readout.Update(0x777777, kBlack));
    EXPECT_EQ(readout.Text(), "4,6:1 AA");

    EXPECT_TRUE(readout.Update(0x777777, std::nullopt));
    EXPECT_EQ(readout.Text(), "");
    EXPECT_FALSE(readout.Update(0x777777, std::nullopt));
    EXPECT_TRUE(readout.Update(kWhite, kWhite));
    EXPECT_EQ(readout.Text(), "1,0:1 ungenügend");
}

} // namespace
