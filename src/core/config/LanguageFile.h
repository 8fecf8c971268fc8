#pragma once
// Language files: one "key=value" entry a line, with the line rules of the
// settings file, setting the language code and the texts and menu captions.
#include <string>
#include <string_view>

class UiTexts;

// The language in use: its code, the file its texts came from and its help page.
struct LanguageInUse {
    std::string code = "en";
    std::string languageFile;
    std::string helpPage;
};

// The files of a language in the data folder (which ends with '/').
std::string LanguageFilePathFor(const std::string& dataDir, const std::string& languageCode);
std::string HelpFilePathFor(const std::string& dataDir, const std::string& languageCode);

// Applies a language file's text in line order: "FLanguage" sets the language
// code; every line that is not a comment points the help page at the one of
// the code in force, in dataDir; the keys of the English file set their texts
// and captions. Every text and caption the file leaves out, or leaves empty,
// is the English one.
void ApplyLanguageText(std::string_view text, const std::string& dataDir, LanguageInUse& language, UiTexts& texts);
