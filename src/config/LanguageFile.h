#pragma once
// Language files: one "key=value" entry a line, with the line rules of the
// settings file, setting the language code, the menu captions and the
// user-interface texts.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

struct TAppSettings;
struct TUiTexts;

// The keys of the main window's menu captions, in the order of the menus.
std::span<const std::string_view> MenuCaptionKeys();
bool IsMenuCaptionKey(std::string_view key);

using MenuCaptionSetter = std::function<void(std::string_view key, const std::string& caption)>;

// Applies a language file's text in line order: "FLanguage" sets the language
// code; every line that is not a comment points HelpFilePath at the help page
// of the code in force; menu caption keys go to the setter ("MenuWebsite" gets
// " " and the application name appended); text keys set the texts.
// Every caption and text the file leaves out, or leaves empty, is the English one.
void ApplyLanguageText(std::string_view text, TAppSettings& settings, TUiTexts& texts,
                       const MenuCaptionSetter& setMenuCaption);

// The English language file (data/language/lang_en.txt), built into the program.
std::string_view BuiltInEnglishText();
