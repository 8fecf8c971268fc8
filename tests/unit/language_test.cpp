#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/config/IniLines.h"
#include "core/config/LanguageDetection.h"
#include "core/config/LanguageFile.h"
#include "core/config/UiTexts.h"

TEST(LanguageDetection, LocalesFindTheirLanguageFile)
{
    struct Case { const char* language; const char* territory; const char* code; };
    const Case cases[] = {
        {"fr", "FR", "fr"}, {"fr", "CA", "fr"}, {"fr", "015", "fr"}, {"de", "CH", "de"}, {"en", "GB", "en"},
        {"es", "419", "es"}, {"es", "MX", "es"}, {"it", "CH", "it"}, {"pt", "PT", "pt"}, {"ru", "MD", "ru"},
        {"zh", "TW", "zh"}, {"ja", "JP", "ja"}, {"he", "IL", "he"}, {"uk", "UA", "uk"}, {"eu", "ES", "eu"},
        {"br", "FR", "br"}, {"co", "FR", "co"},
        // A territory the table lacks: the language's main variant.
        {"fr", "MC", "fr"}, {"de", "BE", "de"}, {"pt", "AO", "pt"},
        // A language without a file of its own, one the table lacks, the C locale.
        {"nl", "NL", "en"}, {"pl", "PL", "en"}, {"tlh", "", "en"}, {"C", "", "en"}, {"", "", "en"},
        // Matched as plain digits: 1025 lies in Spanish (Peru)'s 10250.
        {"ar", "SA", "es"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageFileCodeFor(c.language, c.territory), c.code) << c.language << "_" << c.territory;
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

    void Apply(const std::string& text) { ApplyLanguageText(text, "/opt/hb/", language_, texts_); }

    LanguageInUse language_;
    UiTexts texts_;
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
    Apply("SContrastFail=insuffisant\nMenuExportColorList=E&xporter\nSNo=Non");
    EXPECT_EQ(texts_.text("SContrastFail"), "insuffisant");
    EXPECT_EQ(texts_.caption("MenuExportColorList"), "E&xporter");
    EXPECT_EQ(texts_.text("SExportCss"), "CSS custom properties");

    // A file from before these texts: English, not the last language's.
    Apply("SNo=Nein");
    EXPECT_EQ(texts_.text("SContrastFail"), "fail");
    EXPECT_EQ(texts_.caption("MenuExportColorList"), "&Export color list...");
    EXPECT_EQ(texts_.text("SNo"), "Nein");
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

// The keys of a language file's entries, each with its value; a key twice fails.
std::map<std::string, std::string> Entries(const std::string& bytes)
{
    std::map<std::string, std::string> entries;
    for (std::string_view raw : SplitTextLines(bytes)) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        EXPECT_NE(line.find('='), std::string_view::npos) << line;
        const std::string key(GetIniKey(line));
        EXPECT_TRUE(entries.emplace(key, std::string(GetIniValue(line))).second) << "twice: " << key;
    }
    return entries;
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

// Naming a text compiles only for a key of the English file.
static_assert(ui_texts::EnglishFileHasKey("SHelpNotFound") && ui_texts::EnglishFileHasKey("SCodeOutOfGamut"));
static_assert(!ui_texts::EnglishFileHasKey("SHelp") && !ui_texts::EnglishFileHasKey("Huebird Lite - English"));

TEST_F(LanguageFileTest, WhatAFileLeavesOutOrEmptyIsEnglish)
{
    Apply(ReadShippedFile("fr"));
    Apply("SBadFile=Fichier illisible\nSNoDataToSave=\nMenuFile=&Fichier\nSNoSuchText=x\n");
    EXPECT_EQ(texts_.text("SBadFile"), "Fichier illisible");
    EXPECT_EQ(texts_.text("SNoDataToSave"), "The color list is empty: there is nothing to save.");
    EXPECT_EQ(texts_.text("SHotKeyNotRegistered").rfind("The hotkey %s", 0), 0u);
    EXPECT_EQ(texts_.caption("MenuFile"), "&Fichier");
    EXPECT_EQ(texts_.caption("MenuClose"), "&Close");
    EXPECT_EQ(texts_.caption("MenuWebsite"), "&Web Site Huebird");
    EXPECT_EQ(texts_.caption("SNoSuchText"), "");
    for (const auto& [key, english] : Entries(std::string(kBuiltInEnglishText)))
        EXPECT_FALSE(texts_.caption(key).empty()) << key;
}

class ShippedLanguageFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguageFile, SetsEveryKeyOnce)
{
    const std::string code = GetParam();
    const std::string bytes = ReadShippedFile(code);
    ASSERT_FALSE(bytes.empty()) << "lang_" << code << ".txt";
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
    EXPECT_TRUE(IsValidUtf8(bytes));
    std::map<std::string, std::string> entries = Entries(bytes);

    // The shipped files leave the code alone: a code without a file of its own
    // falls back to the English texts but stays in force and is written back.
    EXPECT_EQ(entries.count("FLanguage"), 0u) << "lang_" << code << " sets FLanguage";
    // Every key of the English file, and no other.
    const std::map<std::string, std::string> english = Entries(std::string(kBuiltInEnglishText));
    for (const auto& [key, words] : english) {
        ASSERT_TRUE(entries.count(key)) << code << " lacks " << key;
        EXPECT_FALSE(entries[key].empty()) << code << " leaves " << key << " empty";
    }
    EXPECT_EQ(entries.size(), english.size()) << "unknown keys in lang_" << code;

    // Each format with its number of "%s".
    const std::map<std::string, std::size_t> formatKeys = {
        {"SWarningOverwriteFile", 1}, {"SBadFileFormat", 1}, {"SHotKeyNotRegistered", 1}, {"SHotKeyBindCommand", 2},
        {"SFileUnreadable", 2},
        {"SAboutPortable", 1},        {"SAboutInstalled", 1},      {"SAboutConfigFile", 1},     {"SLoginStartFailed", 1},
        {"SColorNameNear", 2}};
    for (const auto& [formatKey, placeholders] : formatKeys) {
        EXPECT_EQ(CountPlaceholders(entries[formatKey]), placeholders) << code << " " << formatKey;
        EXPECT_NE(entries[formatKey].find("%s"), std::string::npos) << code << " " << formatKey;
    }
    for (const auto& [key, value] : entries) {
        if (!formatKeys.count(key)) {
            EXPECT_EQ(value.find('%'), std::string::npos) << code << " " << key;
        }
    }

    // Every caption but "?" has an access key, unique within its menu.
    const std::vector<std::vector<const char*>> menus = {
        {"MenuFile", "MenuEdit", "MenuOptions"},
        {"MenuOpenColorList", "MenuSaveColorList", "MenuExportColorList", "MenuClose"},
        {"MenuCopyColorList", "MenuClearColorList", "MenuCut", "MenuCopy", "MenuPaste"},
        {"MenuPick", "MenuHotkey", "MenuLanguage", "MenuStartAtLogin", "MenuColorListManaging", "MenuSwatches",
         "MenuSample", "MenuSimulate"},
        {"MenuSample1", "MenuSample3", "MenuSample5", "MenuSample9"},
        {"MenuSimulateNone", "MenuSimulateProtanopia", "MenuSimulateDeuteranopia", "MenuSimulateTritanopia",
         "MenuSimulateAchromatopsia"},
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
