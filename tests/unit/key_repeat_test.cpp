#include <gtest/gtest.h>

#include "core/platform/KeyRepeat.h"

namespace {

constexpr std::uint8_t kC = 54;
constexpr std::uint8_t kK = 45;

TEST(KeyRepeatFilter, HeldKeyCountsOncePerPressWhicheverWayTheServerRepeats)
{
    // Detectable autorepeat: presses alone until the one release.
    KeyRepeatFilter detectable;
    EXPECT_TRUE(detectable.Press(kC, 1000));
    EXPECT_FALSE(detectable.Press(kC, 1500));
    EXPECT_FALSE(detectable.Press(kC, 1533));
    detectable.Release(kC, 1600);
    EXPECT_TRUE(detectable.Press(kC, 2000));

    // Classic autorepeat: a release and a press with the same time stamp.
    KeyRepeatFilter classic;
    EXPECT_TRUE(classic.Press(kC, 1000));
    classic.Release(kC, 1500);
    EXPECT_FALSE(classic.Press(kC, 1500));
    classic.Release(kC, 1533);
    EXPECT_FALSE(classic.Press(kC, 1533));
    classic.Release(kC, 1600);
    EXPECT_TRUE(classic.Press(kC, 1700)); // a real release, then a new press
}

TEST(KeyRepeatFilter, OtherKeysAndResetsStartNewPresses)
{
    KeyRepeatFilter filter;
    EXPECT_TRUE(filter.Press(kC, 10));
    filter.Release(kK, 20); // some other key's release changes nothing
    EXPECT_FALSE(filter.Press(kC, 20));
    EXPECT_TRUE(filter.Press(kK, 30)); // another hotkey's key
    EXPECT_TRUE(filter.Press(kC, 40));
    filter.Reset(); // the release went elsewhere while unregistered
    EXPECT_TRUE(filter.Press(kC, 50));
    filter.Release(kC, 60);
    filter.Reset();
    EXPECT_TRUE(filter.Press(kC, 60));
}

} // namespace
