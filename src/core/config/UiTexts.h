#pragma once
// The user-interface texts and menu captions, each named by its key in the
// language files. The built-in English language file (data/language/lang_en.txt)
// is their one list: a new text is a line there, and its English words stand
// in for whatever a language file leaves out.
#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "core/config/BuiltInEnglish.h"

namespace ui_texts {

// Whether a line of the English file, after its leading blanks, starts with key and "=".
constexpr bool EnglishFileHasKey(std::string_view key)
{
    std::string_view rest = kBuiltInEnglishText;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        while (!line.empty() && static_cast<unsigned char>(line.front()) < 33)
            line.remove_prefix(1);
        if (line.starts_with(key) && line.substr(key.size()).starts_with('='))
            return true;
    }
    return false;
}

// Never defined: naming a text that the English file lacks stops the build here.
void KeyMissingFromTheEnglishLanguageFile();

} // namespace ui_texts

// The key of a user-interface text, as the language files write it
// ("SHelpNotFound"); a key that the built-in English file lacks does not compile.
class UiTextKey {
public:
    consteval UiTextKey(const char* key) : key_(key)
    {
        if (key_.empty() || !ui_texts::EnglishFileHasKey(key_))
            ui_texts::KeyMissingFromTheEnglishLanguageFile();
    }
    constexpr std::string_view name() const { return key_; }

private:
    std::string_view key_;
};

// The texts and captions of one language: a language file's over the English ones.
class UiTexts {
public:
    // The English ones.
    UiTexts();

    const std::string& text(UiTextKey key) const;
    // The caption of a menu or menu item by its key ("MenuFile"); "MenuWebsite"
    // gets " " and the program's name appended. Empty for a key the English
    // file lacks.
    std::string caption(std::string_view key) const;

    // A language file's value for a key of the English file; an empty value,
    // or any other key, changes nothing.
    void set(std::string_view key, std::string_view value);

private:
    std::map<std::string, std::string, std::less<>> entries_;
};
