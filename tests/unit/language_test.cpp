#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/config/IniLines.h"
#include "core/config/LanguageDetection.h"
#include "core/platform/LanguageIds.h"
#include "core/config/LanguageFile.h"
#include "core/config/UiTexts.h"

TEST(LanguageDetection, IdentifiersGiveTheirLanguage)
{
    struct Case { std::uint16_t id; const char* name; const char* code; };
    const Case cases[] = {
        {1036, "French", "fr"}, {3084, "French", "fr"}, {4108, "French", "fr"},
        {2055, "German", "de"}, {1031, "German", "de"},
        {1043, "English", "en"}, // Dutch: in no list
        {1033, "English", "en"}, {2057, "English", "en"},
        {3082, "Spanish", "es"}, {2058, "Spanish", "es"},
        {1040, "Italian", "it"}, {1046, "Portuguese", "pt"}, {2070, "Portuguese", "pt"},
        {1049, "Russian", "ru"}, {1041, "Japanese", "ja"}, {2052, "Chinese", "zh"},
        {1069, "Basque", "eu"}, {1150, "Breton", "br"}, {1155, "Corsican", "co"},
        {1037, "Hebrew", "he"}, {1058, "Ukrainian", "uk"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetUserLanguageName(c.id), c.name) << c.id;
        EXPECT_EQ(GetUserLanguageCode(c.id), c.code) << c.id;
    }
}

TEST(LanguageDetection, PlainSubstringMatchingLetsLaterRowsWin)
{
    EXPECT_EQ(GetUserLanguageName(103), "Spanish");   // in "1033" (English) and "1034" (Spanish)
    EXPECT_EQ(GetUserLanguageName(10), "Ukrainian");  // in nearly every row; "1058" comes last
    EXPECT_EQ(GetUserLanguageName(583), "French");    // "58380", across no comma
    EXPECT_EQ(GetUserLanguageName(5), "Ukrainian");
    EXPECT_EQ(GetUserLanguageName(65535), "English");
}

TEST(LanguageDetection, LocalesMapToWindowsIdentifiers)
{
    struct Case { const char* language; const char* territory; std::uint16_t id; const char* code; };
    const Case cases[] = {
        {"es", "MX", 2058, "es"}, {"it", "CH", 2064, "it"}, {"zh", "TW", 1028, "zh"},
        // A territory the table lacks: the language's main variant.
        {"fr", "MC", 1036, "fr"}, {"de", "BE", 1031, "de"}, {"pt", "AO", 1046, "pt"},
        // A language that has an identifier but no list: detected as English.
        {"nl", "NL", 1043, "en"}, {"pl", "PL", 1045, "en"},
        // A language the table lacks altogether, and the C locale.
        {"tlh", "", 1033, "en"}, {"C", "", 1033, "en"}, {"", "", 1033, "en"},
    };
    for (const Case& c : cases) {
        const std::uint16_t id = WindowsLanguageId(c.language, c.territory);
        EXPECT_EQ(id, c.id) << c.language << "_" << c.territory;
        EXPECT_EQ(GetUserLanguageCode(id), c.code) << c.language << "_" << c.territory;
    }
}

TEST(LanguageDetection, CodeFromFileName)
{
    struct Case { const char* name; const char* code; };
    const Case cases[] = {
        {"lang_fr.txt", "fr"}, {"lang_pt_BR.txt", "pt_BR"}, {"french.txt", "french"},
        {"lang_fr", ""}, {"my.lang_fr.txt", ""}, {"lang_.txt", ""}, {"lang_de.txt.bak", "de"},
        {"", ""}, {".txt", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageCodeFromFileName(c.name), c.code) << c.name;
}

class LanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        language_.code = "en";
        language_.helpPage = "unchanged";
    }

    std::map<std::string, std::string> Apply(const std::string& text)
    {
        std::map<std::string, std::string> captions;
        ApplyLanguageText(text, "/opt/hb/", language_, texts_, [&](std::string_view key, const std::string& caption) {
            captions[std::string(key)] = caption;
        });
        return captions;
    }

    LanguageInUse language_;
    TUiTexts texts_;
};

TEST_F(LanguageFileTest, EveryNonCommentLineRecomputesTheHelpPage)
{
    Apply("; only comments\n\n   \n// nothing");
    EXPECT_EQ(language_.helpPage, "unchanged");

    Apply("MenuFile=&Fichier");
    EXPECT_EQ(language_.helpPage, "/opt/hb/help/help_en.htm");

    language_.helpPage = "unchanged";
    Apply("just words");
    EXPECT_EQ(language_.helpPage, "/opt/hb/help/help_en.htm");

    // The page follows "FLanguage" from that line on; the last value wins.
    Apply("FLanguage=fr\nFLanguage=de\nSNo=Nein");
    EXPECT_EQ(language_.code, "de");
    EXPECT_EQ(language_.helpPage, "/opt/hb/help/help_de.htm");
}

TEST_F(LanguageFileTest, NewerTextsFallBackToEnglish)
{
    auto captions = Apply("SContrastFail=insuffisant\nMenuExportColorList=E&xporter\nSNo=Non");
    EXPECT_EQ(texts_.SContrastFail, "insuffisant");
    EXPECT_EQ(captions["MenuExportColorList"], "E&xporter");
    EXPECT_EQ(texts_.SExportCss, "CSS custom properties");

    // A file from before these texts: English, not the last language's.
    captions = Apply("SNo=Nein");
    EXPECT_EQ(texts_.SContrastFail, "fail");
    EXPECT_EQ(captions["MenuExportColorList"], "&Export color list...");
    EXPECT_EQ(texts_.SNo, "Nein");
}

namespace {

std::string ReadShippedFile(const std::string& code)
{
    const char* source = std::getenv("HB_SOURCE_DIR");
    std::ifstream in(std::string(source ? source : ".") + "/data/language/lang_" + code + ".txt",
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> AllUiTextKeys()
{
    std::vector<std::string> keys;
#define HB_UI_TEXT_KEY(name) keys.push_back(#name);
    HB_UI_TEXTS(HB_UI_TEXT_KEY)
#undef HB_UI_TEXT_KEY
    return keys;
}

std::size_t CountPlaceholders(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%')
            ++count, ++i;
    return count;
}

} // namespace

TEST_F(LanguageFileTest, WhatAFileLeavesOutOrEmptyIsEnglish)
{
    Apply(ReadShippedFile("fr"));
    const auto captions = Apply("SBadFile=Fichier illisible\nSNoDataToSave=\nMenuFile=&Fichier\n");
    EXPECT_EQ(texts_.SBadFile, "Fichier illisible");
    EXPECT_EQ(texts_.SNoDataToSave, "The color list is empty: there is nothing to save.");
    EXPECT_EQ(texts_.SHotKeyNotRegistered.rfind("The hotkey %s", 0), 0u);
    for (const std::string& key : AllUiTextKeys()) {
        EXPECT_FALSE(UiTextByKey(texts_, key)->empty()) << key;
    }
    EXPECT_EQ(captions.size(), MenuCaptionKeys().size());
    EXPECT_EQ(captions.at("MenuFile"), "&Fichier");
    EXPECT_EQ(captions.at("MenuClose"), "&Close");
    EXPECT_EQ(captions.at("MenuWebsite"), "&Web Site Huebird");
    EXPECT_EQ(EnglishUiTexts().SCapture, "Capture:");
}

class ShippedLanguageFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguageFile, SetsEveryKeyOnce)
{
    const std::string code = GetParam();
    const std::string bytes = ReadShippedFile(code);
    ASSERT_FALSE(bytes.empty()) << "lang_" << code << ".txt";
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
    EXPECT_TRUE(IsValidUtf8(bytes));

    std::map<std::string, std::string> entries;
    for (std::string_view raw : SplitTextLines(bytes)) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        ASSERT_NE(line.find('='), std::string_view::npos) << line;
        const std::string key(GetIniKey(line));
        EXPECT_TRUE(entries.emplace(key, std::string(GetIniValue(line))).second) << "twice: " << key;
    }

    // The shipped files leave the code alone: a code without a file of its own
    // falls back to the English texts but stays in force and is written back.
    EXPECT_EQ(entries.count("FLanguage"), 0u) << "lang_" << code << " sets FLanguage";
    std::vector<std::string> expected = AllUiTextKeys();
    for (std::string_view key : MenuCaptionKeys())
        expected.emplace_back(key);
    for (const std::string& key : expected) {
        ASSERT_TRUE(entries.count(key)) << code << " lacks " << key;
        EXPECT_FALSE(entries[key].empty()) << code << " leaves " << key << " empty";
    }
    EXPECT_EQ(entries.size(), expected.size()) << "unknown keys in lang_" << code;

    // Each format with its number of "%s".
    const std::map<std::string, std::size_t> formatKeys = {
        {"SWarningOverwriteFile", 1}, {"SBadFileFormat", 1}, {"SHotKeyNotRegistered", 1}, {"SHotKeyBindCommand", 2},
        {"SFileUnreadable", 2},
        {"SAboutPortable", 1},        {"SAboutInstalled", 1},      {"SAboutConfigFile", 1},     {"SLoginStartFailed", 1}};
    for (const auto& [formatKey, placeholders] : formatKeys) {
        EXPECT_EQ(CountPlaceholders(entries[formatKey]), placeholders) << code << " " << formatKey;
        EXPECT_NE(entries[formatKey].find("%s"), std::string::npos) << code << " " << formatKey;
    }
    for (const auto& [key, value] : entries)
        if (!formatKeys.count(key))
            EXPECT_EQ(value.find('%'), std::string::npos) << code << " " << key;

    // Every caption but "?" has an access key, unique within its menu.
    const std::vector<std::vector<const char*>> menus = {
        {"MenuFile", "MenuEdit", "MenuOptions"},
        {"MenuOpenColorList", "MenuSaveColorList", "MenuExportColorList", "MenuClose"},
        {"MenuCopyColorList", "MenuClearColorList", "MenuCut", "MenuCopy", "MenuPaste"},
        {"MenuPick", "MenuHotkey", "MenuLanguage", "MenuStartAtLogin", "MenuColorListManaging", "MenuSwatches"},
        {"MenuHelpIndex", "MenuWebsite", "MenuAbout"},
        {"MenuCaptureColor", "PopupCopyColorList", "PopUpDeleteColor", "PopUpClearColorList",
         "PopupCut", "PopupCopy", "PopupPaste"},
    };
    for (const auto& menu : menus) {
        std::map<std::string, std::string> owners;
        for (const char* key : menu) {
            const std::string& caption = entries[key];
            const auto amp = caption.find('&');
            ASSERT_TRUE(amp != std::string::npos && amp + 1 < caption.size()) << code << " " << key;
            std::string accessKey = caption.substr(amp + 1, 1);
            if (static_cast<unsigned char>(accessKey[0]) >= 0x80)
                accessKey = caption.substr(amp + 1, 2);
            else
                accessKey[0] = char(std::tolower(static_cast<unsigned char>(accessKey[0])));
            const auto [it, fresh] = owners.emplace(accessKey, key);
            EXPECT_TRUE(fresh) << code << ": " << key << " and " << it->second << " share &" << accessKey;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFile,
                         ::testing::Values("en", "fr", "de", "es", "it", "pt"));
