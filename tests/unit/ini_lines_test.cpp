#include <gtest/gtest.h>

#include "core/config/IniLines.h"

TEST(IniLines, TrimRemovesBlanksAndControlBytesOnly)
{
    EXPECT_EQ(TrimIniLine("  Rns=5  "), "Rns=5");
    EXPECT_EQ(TrimIniLine("\t\x01Rns=5\x1F\r"), "Rns=5");
    EXPECT_EQ(TrimIniLine("   "), "");
    // A byte of a UTF-8 sequence is not a blank.
    EXPECT_EQ(TrimIniLine(" \xC3\xA9 "), "\xC3\xA9");
}

TEST(IniLines, CommentsAreEmptySemicolonAndDoubleSlashLines)
{
    struct Case { const char* line; bool comment; };
    const Case cases[] = {
        {"", true}, {"; Rns=5", true}, {";", true}, {"// Rns=5", true},
        {"/ Rns=5", false}, {"#Rns=5", false}, {"[General]", false}, {"Rns=5", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsIniComment(c.line), c.comment) << c.line;
}

TEST(IniLines, KeyIsTheExactTextBeforeTheFirstEquals)
{
    struct Case { const char* name; const char* line; bool match; };
    const Case cases[] = {
        {"Rns", "Rns=5", true},
        {"Rns", "rns=5", false},
        {"Rns", "Rns =5", false},
        {"Rns", "#Rns=5", false},
        {"Rns", "Rns", false},          // no "="
        {"", "[General]", false},       // a line without "=" has no key at all
        {"", "=value", true},
        {"Language", "Language=fr=x", true},
        {"Language=fr", "Language=fr=x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsIniKey(c.name, c.line), c.match) << c.name << " / " << c.line;
}

TEST(IniLines, ValueIsEverythingAfterTheFirstEquals)
{
    EXPECT_EQ(GetIniValue("Language=fr=x"), "fr=x");
    EXPECT_EQ(GetIniValue("Rns= 5"), " 5");
    EXPECT_EQ(GetIniValue("no equals"), "");
}

TEST(IniLines, BooleansAreExactlyTrueOrFalse)
{
    EXPECT_EQ(BoolToIniText(true), "True");
    EXPECT_EQ(BoolToIniText(false), "False");
    EXPECT_TRUE(IniTextToBool("True"));
    for (const char* text : {"true", "TRUE", " True", "1", "yes", "", "False"})
        EXPECT_FALSE(IniTextToBool(text)) << text;
}

TEST(IniLines, EveryLineEndingEndsALine)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitTextLines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitTextLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitTextLines("a\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_TRUE(SplitTextLines("").empty());
}

TEST(IniLines, BytesAreReadAsUtf8OrWindows1252)
{
    // UTF-8 with and without a byte-order mark.
    EXPECT_EQ(DecodeTextFileBytes("\xEF\xBB\xBFMenuFile=&Fichier"), "MenuFile=&Fichier");
    EXPECT_EQ(DecodeTextFileBytes("SClose=Schlie\xC3\x9F" "en"), "SClose=Schlie\xC3\x9F" "en");
    // Windows-1252: e acute, the euro sign and a right quotation mark.
    EXPECT_EQ(DecodeTextFileBytes("Aper\xE7u \x80 l\x92"), "Aper\xC3\xA7u \xE2\x82\xAC l\xE2\x80\x99");
    // A truncated sequence at the end is not UTF-8 either.
    EXPECT_EQ(DecodeTextFileBytes("x\xC3"), "x\xC3\x83");
}

TEST(IniLines, Utf8ValidityRejectsMalformedSequences)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC\xF0\x9F\x8E\xA8"));
    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80",
                            "\xE2\x82", "\xFF"})
        EXPECT_FALSE(IsValidUtf8(bad)) << "case " << static_cast<int>(static_cast<unsigned char>(bad[0]));
}
