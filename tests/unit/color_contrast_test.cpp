#include "core/color/ColorContrast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {


TEST(ContrastRatio, ReferencePairs)
{
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
    EXPECT_NEAR(RelativeLuminance(kWhite), 1.0, 1e-12);
    EXPECT_EQ(ContrastText(ContrastTenths(kBlack, kWhite), '.'), "21.0:1 AAA");
    EXPECT_EQ(ContrastText(ContrastTenths(kWhite, kWhite), '.'), "1.0:1 fail");
    // Grey #777777 on white: 4.48, too little for normal text.
    EXPECT_NEAR(ContrastRatio(Rgb{119, 119, 119}, kWhite), 4.478, 0.001);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, Rgb{119, 119, 119}), ContrastRatio(Rgb{119, 119, 119}, kWhite));
    EXPECT_EQ(ContrastLevelOf(ContrastTenths(Rgb{119, 119, 119}, kWhite)), ContrastLevel::AALarge);
    EXPECT_EQ(ContrastText(ContrastTenths(Rgb{118, 118, 118}, kWhite), '.'), "4.5:1 AA");
    // Pure red on white: luminance 0.2126, ratio 3.998.
    EXPECT_NEAR(ContrastRatio(Rgb{255, 0, 0}, kWhite), 3.998, 0.001);
}

TEST(ContrastRatio, RoundsDownAtEachThreshold)
{
    // The 8-bit colours nearest below and above 3, 4.5 and 7 on white.
    struct Case {
        Rgb color;
        const char* text;
    };
    const Case cases[] = {
        {Rgb{177, 120, 255}, "2.9:1 fail"},     // 2.999995
        {Rgb{250, 52, 255}, "3.0:1 AA large"}, // 3.000002
        {Rgb{0, 133, 128}, "4.4:1 AA large"}, // 4.499954
        {Rgb{236, 20, 0}, "4.5:1 AA"},       // 4.500030
        {Rgb{177, 24, 0}, "6.9:1 AA"},       // 6.999823
        {Rgb{77, 35, 255}, "7.0:1 AAA"},      // 7.000073
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContrastText(ContrastTenths(c.color, kWhite), '.'), c.text) << testing::PrintToString(c.color);
}

TEST(ContrastRatio, PairsJustBelowALevelStayBelowIt)
{
    // True ratios 4.49999999999965, 2.99999999999994 and 6.99999999999941.
    EXPECT_EQ(ContrastText(ContrastTenths(Rgb{62, 34, 23}, Rgb{137, 140, 184}), '.'), "4.4:1 AA large");
    EXPECT_EQ(ContrastText(ContrastTenths(Rgb{130, 18, 219}, Rgb{137, 187, 9}), '.'), "2.9:1 fail");
    EXPECT_EQ(ContrastText(ContrastTenths(Rgb{1, 55, 64}, Rgb{99, 210, 173}), '.'), "6.9:1 AA");
}

// Every pair of 8-bit colours within 1e-11 of 3, 4.5 or 7 (in the lighter
// one's luminance), decided against luminances in long double. The colours are
// bucketed by luminance; each darker colour, taken in that order, looks only in
// the bucket where a lighter one at the level would lie.
TEST(ContrastRatio, EveryPairNearALevelIsDecidedAsInLongDouble)
{
    constexpr std::size_t kColorCount = std::size_t(1) << 24, kBuckets = std::size_t(1) << 22;
    std::array<double, 256> linear{};
    std::array<long double, 256> linearLong{};
    for (int i = 0; i < 256; ++i) {
        const long double c = i / 255.0L;
        linearLong[std::size_t(i)] = c <= 0.04045L ? c / 12.92L : std::pow((c + 0.055L) / 1.055L, 2.4L);
        linear[std::size_t(i)] = double(linearLong[std::size_t(i)]);
    }
    const auto luminance = [&](Rgb c) { return 0.2126 * linear[c.r] + 0.7152 * linear[c.g] + 0.0722 * linear[c.b]; };
    const auto luminanceLong = [&](Rgb c) {
        return 0.2126L * linearLong[c.r] + 0.7152L * linearLong[c.g] + 0.0722L * linearLong[c.b];
    };
    const auto bucketOf = [&](double l) { return std::min(std::size_t(l * kBuckets), kBuckets - 1); };
    std::vector<std::uint32_t> firstInBucket(kBuckets + 1, 0);
    std::vector<Rgb> byBucket(kColorCount);
    for (StoredColor value = 0; value < kColorCount; ++value)
        ++firstInBucket[bucketOf(luminance(RgbFromStoredColor(value))) + 1];
    for (std::size_t b = 0; b < kBuckets; ++b)
        firstInBucket[b + 1] += firstInBucket[b];
    std::vector<std::uint32_t> filled(firstInBucket.begin(), firstInBucket.end() - 1);
    for (StoredColor value = 0; value < kColorCount; ++value) {
        const Rgb c = RgbFromStoredColor(value);
        byBucket[filled[bucketOf(luminance(c))]++] = c;
    }

    constexpr double kNear = 1e-11;
    int pairsNear = 0;
    for (const Rgb darker : byBucket) {
        const double darkerLuminance = luminance(darker);
        // In bucket order: from here on even 3 times it is beyond white.
        if (darkerLuminance > 0.31)
            break;
        for (const int level : {30, 45, 70}) {
            const double lighterAtLevel = level / 10.0 * (darkerLuminance + 0.05) - 0.05;
            if (lighterAtLevel - kNear > 1)
                continue;
            const std::size_t last = bucketOf(lighterAtLevel + kNear);
            for (std::size_t b = bucketOf(std::max(lighterAtLevel - kNear, 0.0)); b <= last; ++b) {
                for (std::uint32_t i = firstInBucket[b]; i < firstInBucket[b + 1]; ++i) {
                    const Rgb lighter = byBucket[i];
                    const double distance = luminance(lighter) - lighterAtLevel;
                    if (distance < -kNear || distance > kNear)
                        continue;
                    ++pairsNear;
                    const long double ratio = (luminanceLong(lighter) + 0.05L) / (luminanceLong(darker) + 0.05L);
                    // Far beyond the long double's own error: the verdict below is sure.
                    ASSERT_GT(std::fabs(ratio - level / 10.0L), 1e-16L) << std::hex << StoredColorFromRgb(lighter) << ' ' << StoredColorFromRgb(darker);
                    const int expected = ratio >= level / 10.0L ? level : level - 1;
                    ASSERT_EQ(ContrastTenths(lighter, darker), expected) << std::hex << StoredColorFromRgb(lighter) << ' ' << StoredColorFromRgb(darker);
                    ASSERT_EQ(ContrastTenths(darker, lighter), expected) << std::hex << StoredColorFromRgb(lighter) << ' ' << StoredColorFromRgb(darker);
                }
            }
        }
    }
    EXPECT_GT(pairsNear, 1000);
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
    EXPECT_TRUE(readout.Update(Rgb{119, 119, 119}, kWhite));
    EXPECT_EQ(readout.Text(), "4.4:1 AA large");
    EXPECT_FALSE(readout.Update(Rgb{120, 119, 119}, kWhite)); // 4.46: the same tenth

    // Another reference colour counts at once.
    EXPECT_TRUE(readout.Update(Rgb{119, 119, 119}, kBlack));
    EXPECT_EQ(readout.Text(), "4.6:1 AA");

    readout.SetStyle(',', "AA groß", "ungenügend");
    EXPECT_TRUE(readout.Update(Rgb{119, 119, 119}, kBlack));
    EXPECT_EQ(readout.Text(), "4,6:1 AA");

    EXPECT_TRUE(readout.Update(Rgb{119, 119, 119}, std::nullopt));
    EXPECT_EQ(readout.Text(), "");
    EXPECT_FALSE(readout.Update(Rgb{119, 119, 119}, std::nullopt));
    EXPECT_TRUE(readout.Update(kWhite, kWhite));
    EXPECT_EQ(readout.Text(), "1,0:1 ungenügend");
}

} // namespace
