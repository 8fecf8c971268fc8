#include <gtest/gtest.h>

#include <string>

#include "core/update/UpdateVerdict.h"

TEST(ExtractVerdict, TextBetweenTheFirstTagsWithThePositionRules)
{
    const struct {
        const char* body;
        const char* verdict;
    } cases[] = {
        {"<ver>OldVersion</ver>", "OldVersion"},
        {"<html><body><ver>2.0.2.1</ver></body></html>", "2.0.2.1"},
        {"<ver>oldversion</ver>", "oldversion"},
        {"<ver>A</ver><ver>B</ver>", "A"},
        {"<ver>Old</ver>Version</ver>", "Old"},
        // Without "<ver>" the verdict starts at the fifth character.
        {"abcdOldVersion</ver>", "OldVersion"},
        {"OldVersion</ver>", "ersion"},
        {"abcde</ver>", "e"},
        {"abcd</ver>", ""},
        {"ab</ver>", ""},
        // Nothing without a closing tag after the start.
        {"<ver>OldVersion", ""},
        {"</ver><ver>OldVersion", ""},
        {"<ver></ver>", ""},
        {"<VER>OldVersion</VER>", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractVerdict(c.body), c.verdict) << c.body;

    const std::string withNul("<ver>Old\0Version</ver>", 22);
    EXPECT_EQ(ExtractVerdict(withNul), std::string("Old\0Version", 11));
}

TEST(IsCurrentVersion, FalseOnlyForOldVersionExactly)
{
    EXPECT_FALSE(IsCurrentVersion("OldVersion"));
    for (const char* verdict : {"oldversion", "OLDVERSION", "OldVersion ", " OldVersion", "2.0.2.1", ""})
        EXPECT_TRUE(IsCurrentVersion(verdict)) << verdict;
}

TEST(UpdateQuery, CarriesTheFileVersionDigitsAndNoSpaces)
{
    EXPECT_EQ(UpdateQuery("http://h.example.com/u.php", "2.0.2.1"), "http://h.example.com/u.php?A=2021");
    EXPECT_EQ(UpdateQuery("http://h.example.com/a b/c d.php", "2.0.2.1"),
              "http://h.example.com/a_b/c_d.php?A=2021");
    EXPECT_EQ(UpdateQuery("http://h.example.com/u.php", "2.0 beta 3"), "http://h.example.com/u.php?A=203");
    EXPECT_EQ(UpdateQuery("", ""), "?A=");
}
