#include <gtest/gtest.h>

#include <limits>

#include "core/config/SettingsFile.h"

TEST(SettingsFile, DefaultFileIsNineLinesWithCrLf)
{
    EXPECT_EQ(DefaultSettingsText(),
              "[General]\r\nLanguage=en\r\nRns=0\r\nShowNewVersion=True\r\n\r\n"
              "[Interface]\r\nCBX_FormatCapture=0\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n");
    const TSettingsValues v = ReadSettingsText(DefaultSettingsText());
    EXPECT_EQ(v.LanguageCode, "en");
    EXPECT_EQ(v.RunCount, 0);
    EXPECT_EQ(v.ShowNewVersion, true);
    EXPECT_EQ(v.FormatIndex, 0);
    EXPECT_EQ(v.HotKeyText, "Alt+C");
}

TEST(SettingsFile, SavedFileIsTenLinesWithCrLf)
{
    Settings s;
    s.language = "fr";
    s.runCount = 1;
    s.showNewVersion = true;
    s.notationIndex = -1;
    s.hotkeyText = "Maj+Ctrl+F5";
    EXPECT_EQ(SettingsFileText(s),
              "[General]\r\nLanguage=fr\r\nRns=1\r\nShowNewVersion=True\r\n\r\n"
              "[Interface]\r\nCBX_FormatCapture=-1\r\n\r\n[Preferences]\r\nHK_CAPTURE=Maj+Ctrl+F5\r\n");
    s.showNewVersion = false;
    s.hotkeyText.clear();
    s.runCount = -7;
    const std::string text = SettingsFileText(s);
    EXPECT_NE(text.find("\r\nShowNewVersion=False\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nRns=-7\r\n"), std::string::npos);
    // No hotkey is written as the default: an empty value would leave the next run without one.
    EXPECT_TRUE(text.ends_with("\r\nHK_CAPTURE=Alt+C\r\n"));
}

TEST(SettingsFile, AScreenCastTokenIsKeptLastAndReadBack)
{
    Settings s;
    s.screenCastToken = "5f0c3a1e-token";
    const std::string text = SettingsFileText(s);
    EXPECT_TRUE(text.ends_with("\r\nHK_CAPTURE=Alt+C\r\nScreenCastToken=5f0c3a1e-token\r\n"));
    EXPECT_EQ(ReadSettingsText(text).ScreenCastToken, "5f0c3a1e-token");
    // An averaged capture comes before it; one pixel, or a side not offered, writes nothing.
    s.sampleSide = 5;
    const std::string averaged = SettingsFileText(s);
    EXPECT_TRUE(averaged.ends_with("\r\nHK_CAPTURE=Alt+C\r\nSampleSize=5\r\nScreenCastToken=5f0c3a1e-token\r\n"));
    Settings read;
    ApplySettingsText(averaged, read);
    EXPECT_EQ(read.sampleSide, 5);
    ApplySettingsText("SampleSize=4\r\n", read);
    EXPECT_EQ(read.sampleSide, 1);
    s.sampleSide = 7;
    EXPECT_EQ(SettingsFileText(s), text);
    // A token that would break its line is dropped rather than written.
    s.screenCastToken = "a\r\nHK_CAPTURE=Q";
    EXPECT_TRUE(SettingsFileText(s).ends_with("\r\nHK_CAPTURE=Alt+C\r\n"));
}

TEST(SettingsFile, KeysAreRecognisedOnlyInTheirExactSpelling)
{
    struct Case { const char* text; std::optional<std::int32_t> runCount; };
    const Case cases[] = {
        {"Rns=5", 5},
        {"  Rns=5  ", 5},
        {"\tRns=5\r\n", 5},
        {"rns=5", std::nullopt},
        {"Rns = 5", std::nullopt},
        {"#Rns=5", std::nullopt},
        {"; Rns=5", std::nullopt},
        {"// Rns=5", std::nullopt},
        {"[Rns=5]", std::nullopt},
        {"Rns", std::nullopt},
        {"[Other]\nRns=4", 4}, // sections are not interpreted
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSettingsText(c.text).RunCount, c.runCount) << c.text;
}

TEST(SettingsFile, LastOccurrenceWinsAcrossEveryKey)
{
    const TSettingsValues v = ReadSettingsText(
        "Rns=1\r\nLanguage=de\r\nShowNewVersion=True\r\nCBX_FormatCapture=3\r\nHK_CAPTURE=Alt+C\r\n"
        "[Again]\r\nRns=2\rLanguage=it\rShowNewVersion=False\rCBX_FormatCapture=11\rHK_CAPTURE=Ctrl+F5");
    EXPECT_EQ(v.RunCount, 2);
    EXPECT_EQ(v.LanguageCode, "it");
    EXPECT_EQ(v.ShowNewVersion, false);
    EXPECT_EQ(v.FormatIndex, 11);
    EXPECT_EQ(v.HotKeyText, "Ctrl+F5");
}

TEST(SettingsFile, NonIntegerNumbersArePassedOverAndReadingGoesOn)
{
    const TSettingsValues v = ReadSettingsText("Rns=5\nRns=abc\nCBX_FormatCapture=2\n"
                                               "CBX_FormatCapture=2.5\nLanguage=es\n");
    EXPECT_EQ(v.RunCount, 5);
    EXPECT_EQ(v.FormatIndex, 2);
    EXPECT_EQ(v.LanguageCode, "es");
    EXPECT_FALSE(ReadSettingsText("Rns=\nCBX_FormatCapture=x").RunCount.has_value());
}

TEST(SettingsFile, IntegersAreWholeDecimalNumbersIn32Bits)
{
    struct Case { const char* text; std::optional<std::int32_t> value; };
    const Case cases[] = {
        {"0", 0}, {"42", 42}, {"-1", -1}, {"+7", 7}, {"007", 7},
        {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::nullopt}, {"", std::nullopt}, {" 5", std::nullopt}, {"5x", std::nullopt},
        {"++5", std::nullopt}, {"+-5", std::nullopt}, {"1e3", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIniInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(SettingsFile, RunCounterStopsAtItsLargestValue)
{
    EXPECT_EQ(NextRunCount(0), 1);
    EXPECT_EQ(NextRunCount(-1), 0);
    EXPECT_EQ(NextRunCount(std::numeric_limits<std::int32_t>::max()),
              std::numeric_limits<std::int32_t>::max());
}

TEST(SettingsFile, AppliedTextKeepsTheValuesItLeavesOut)
{
    Settings s;
    s.language = "fr";
    s.showNewVersion = true;
    s.notationIndex = 3;
    s.hotkeyText = "Ctrl+F5";
    s.screenCastToken = "token";
    ApplySettingsText("Rns=4\nCBX_FormatCapture=x\n", s);
    EXPECT_EQ(s.runCount, 4);
    EXPECT_EQ(s.language, "fr");
    EXPECT_TRUE(s.showNewVersion);
    EXPECT_EQ(s.notationIndex, 3);
    // The hotkey and the token are the file's own: none there, none kept.
    EXPECT_EQ(s.hotkeyText, "");
    EXPECT_EQ(s.screenCastToken, "");
}
