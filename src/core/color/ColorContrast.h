#pragma once
// Contrast between two colours as the Web Content Accessibility Guidelines
// 2.x define it: relative luminance of sRGB, ratio (L1 + 0.05) / (L2 + 0.05),
// and the levels a text in one colour on the other reaches.
#include <optional>
#include <string>
#include <string_view>

#include "core/color/ColorMath.h"

// 0 for black to 1 for white; a table lookup per channel.
double RelativeLuminance(Rgb color);

// 1 to 21, whichever colour is the lighter.
double ContrastRatio(double luminanceA, double luminanceB);
double ContrastRatio(Rgb a, Rgb b);

// The ratio of the two colours in tenths, rounded down without rounding error:
// a ratio of 4.4999999 is 44 tenths and never reaches a level that needs 4.5.
int ContrastTenths(Rgb a, Rgb b);

enum class ContrastLevel {
    Fail,    // below 3:1
    AALarge, // 3:1, enough for large text only
    AA,      // 4.5:1
    AAA,     // 7:1
};

ContrastLevel ContrastLevelOf(int tenths);

// The words of the two levels that say more than their name.
struct ContrastWords {
    std::string_view aaLarge = "AA large";
    std::string_view fail = "fail";
};

// "4.6:1": the ratio with one decimal after the given separator.
std::string ContrastRatioText(int tenths, char decimalSeparator);

// "4.6:1 AA", "3.2:1 AA large", "1.9:1 fail": the ratio, then the level.
std::string ContrastText(int tenths, char decimalSeparator, const ContrastWords& words = {});

// The contrast between the colour under the cursor and a reference colour,
// asked for on every capture tick: the text is written again only when the
// ratio or the level changes.
class ContrastReadout {
public:
    // Changes the words and the separator of the text to come.
    void SetStyle(char decimalSeparator, std::string_view aaLarge, std::string_view fail);

    // Returns true when Text() changed. Without a reference the text is empty.
    bool Update(Rgb sampled, std::optional<Rgb> reference);
    const std::string& Text() const { return text_; }

private:
    char decimalSeparator_ = '.';
    std::string aaLarge_ = "AA large";
    std::string fail_ = "fail";
    static constexpr int kNothingShown = -1;
    static constexpr int kStale = -2; // the style changed: write the text again
    int shownTenths_ = kNothingShown;
    std::string text_;
};
