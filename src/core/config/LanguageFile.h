#pragma once
// Language files: one "key=value" entry a line, with the line rules of the
// settings file, setting the language code, the menu captions and the
// user-interface texts.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

struct TUiTexts;

// The language in use: its code, the file its texts came from and its help page.
struct LanguageInUse {
    std::string code = "en";
    std::string languageFile;
    std::string helpPage;
};

// The files of a language in the data folder (which ends with '/').
std::string LanguageFilePathFor(const std::string& dataDir, const std::string& languageCode);
std::string HelpFilePathFor(const std::string& dataDir, const std::string& languageCode);

// The keys of the menu captions: those of the built-in English file that name
// no text, in its order.
std::span<const std::string_view> MenuCaptionKeys();
bool IsMenuCaptionKey(std::string_view key);

using MenuCaptionSetter = std::function<void(std::string_view key, const std::string& caption)>;

// Applies a language file's text in line order: "FLanguage" sets the language
// code; every line that is not a comment points the help page at the one of
// the code in force, in dataDir; menu caption keys go to the setter
// ("MenuWebsite" gets " " and the program's name appended); text keys set the
// texts. Every caption and text the file leaves out, or leaves empty, is the
// English one.
void ApplyLanguageText(std::string_view text, const std::string& dataDir, LanguageInUse& language,
                       TUiTexts& texts, const MenuCaptionSetter& setMenuCaption);

// The English language file (data/language/lang_en.txt), built into the program.
std::string_view BuiltInEnglishText();
