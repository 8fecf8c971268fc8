#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/config/ProgramInfo.h"
#include "core/update/Scrambling.h"
#include "core/update/UpdateVerdict.h"

namespace {

bool IsRandomCharacter(const std::string& text)
{
    if (text.size() != 1)
        return false;
    const int code = static_cast<unsigned char>(text[0]);
    return code >= 1 && code <= 254;
}

} // namespace

TEST(KeyCharTable, IsAPermutationOfOneTo255AndZeroElsewhere)
{
    std::set<int> results;
    for (int code = 1; code <= 255; ++code) {
        const int mapped = KeyCharTable(code);
        EXPECT_GE(mapped, 1) << code;
        results.insert(mapped);
    }
    EXPECT_EQ(results.size(), 255u);
    for (int outside : {0, -1, -255, 256, 1000})
        EXPECT_EQ(KeyCharTable(outside), 0) << outside;
}

TEST(KeyDigits, ComeFromTheReversedSubstitutedKeyText)
{
    ASSERT_EQ(KeyText.size(), 11u);
    const std::string mapped = MapKeyText(KeyText);
    ASSERT_EQ(mapped.size(), 11u);
    InitKeyDigits(); // a second run changes nothing
    for (std::size_t j = 0; j < mapped.size(); ++j) {
        ASSERT_TRUE(IsDigitChar(mapped[j])) << j;
        EXPECT_EQ(KeyDigits()[j], mapped[j] - '0') << j;
    }
    const std::string two = {char(KeyCharTable('b')), char(KeyCharTable('a'))};
    EXPECT_EQ(MapKeyText("ab"), two);
    EXPECT_EQ(MapKeyText(""), "");
}

TEST(IsDigitChar, OnlyZeroToNine)
{
    for (char c : std::string("0123456789"))
        EXPECT_TRUE(IsDigitChar(c)) << c;
    for (char c : {'/', ':', 'a', ' ', '\0', char(0xB2), char(0xBD)})
        EXPECT_FALSE(IsDigitChar(c)) << int(c);
}

TEST(DigitsToText, ReadsGroupsOfThreeWithTheShortTailRule)
{
    const struct {
        const char* digits;
        std::string text;
    } cases[] = {
        {"097098099", "abc"},
        {"097098", "ab"},
        {"001255", "\x01\xFF"},
        {"09709", std::string("a\x09")},   // two leftover digits form a group
        {"0970", "a"},                     // one leftover digit is not read
        {"0970989", "ab"},
        {"9", "\x09"},                     // a lone digit is a group of its own
        {"65", "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DigitsToText(c.digits), c.text) << c.digits;
}

TEST(DigitsToText, AGroupOutsideOneTo255IsOneRandomCharacter)
{
    for (const char* digits : {"000", "256", "999", "", "0", "00"}) {
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(IsRandomCharacter(DigitsToText(digits))) << digits;
    }
    const std::string mixed = DigitsToText("097000099");
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0], 'a');
    EXPECT_EQ(mixed[2], 'c');
    EXPECT_TRUE(IsRandomCharacter(mixed.substr(1, 1)));
}

TEST(UnscrambleDigits, LowersEachDigitByItsKeyDigit)
{
    const struct {
        const char* scrambled;
        const char* text;
    } cases[] = {
        // "726" is 'a' (097) under the key digits 7, 3, 9: the 2 and the 6
        // lie below their key digits and wrap around to 9 and 7.
        {"726136259", "abc"},
        // The 12th digit uses the first key digit again.
        {"794104227595", "ABCD"},
        // Only digits count and only they move the key position.
        {" 7.2 6-1x3 6\t2 5 9 ", "abc"},
        {"79a4-104.227/595", "ABCD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnscrambleDigits(c.scrambled), c.text) << c.scrambled;
}

TEST(UnscrambleDigits, EmptyAndDigitlessTexts)
{
    EXPECT_EQ(UnscrambleDigits(""), "");
    for (const char* noDigits : {"abc", " ", "..."})
        EXPECT_TRUE(IsRandomCharacter(UnscrambleDigits(noDigits))) << noDigits;
}

TEST(StoredUpdateAddress, UnscramblesToTheUpdateServiceUnderTheWebSite)
{
    const std::string leading = kStoredUpdateUrlDigits;
    EXPECT_EQ(leading.size(), 81u);
    EXPECT_EQ(UpdateUrlTailDigits.size(), 72u);
    EXPECT_EQ(UnscrambleDigits(leading), kWebSiteUrl);
    const std::string address = UpdateServiceAddress(leading);
    EXPECT_EQ(address, "http://huebird.example.com/update/huebird-check.php");
    EXPECT_EQ(address.size(), 51u);
}

#ifndef _WIN32 // the tool run through a POSIX shell
TEST(ScrambleTool, RoundTripsEveryTextOnItsOwnKeyRun)
{
    const char* buildDir = std::getenv("HB_BUILD_DIR");
    const std::string tool = buildDir ? std::string(buildDir) + "/scramble-url" : std::string();
    if (tool.empty() || !std::filesystem::exists(tool))
        GTEST_SKIP() << "scramble-url not built (HB_BUILD_DIR)";

    const std::vector<std::string> texts = {
        "http://huebird.example.com/", "update/huebird-check.php", "a b", "\xE9t\xE9", "x",
        std::string(40, '~')};
    std::string command = "'" + tool + "'";
    for (const auto& t : texts)
        command += " '" + t + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<std::string> lines(1);
    for (int ch; (ch = std::fgetc(pipe)) != EOF;) {
        if (ch == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(char(ch));
    }
    EXPECT_EQ(pclose(pipe), 0);
    lines.pop_back();

    ASSERT_EQ(lines.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 3 * texts[i].size()) << texts[i];
        EXPECT_EQ(lines[i].find_first_not_of("0123456789"), std::string::npos) << lines[i];
        EXPECT_EQ(UnscrambleDigits(lines[i]), texts[i]);
    }
    EXPECT_EQ(lines[0], kStoredUpdateUrlDigits);
    EXPECT_EQ(lines[1], UpdateUrlTailDigits);
    EXPECT_NE(std::system(("'" + tool + "' '' >/dev/null 2>&1").c_str()), 0);
}
#endif
