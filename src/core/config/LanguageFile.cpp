#include "core/config/LanguageFile.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/config/IniLines.h"
#include "core/config/ProgramInfo.h"
#include "core/config/UiTexts.h"

std::span<const std::string_view> MenuCaptionKeys()
{
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> found;
        TUiTexts probe;
        for (std::string_view raw : SplitTextLines(BuiltInEnglishText())) {
            const std::string_view line = TrimIniLine(raw);
            if (IsIniComment(line))
                continue;
            const std::string_view key = GetIniKey(line);
            if (!key.empty() && key != "FLanguage" && !UiTextByKey(probe, key))
                found.push_back(key);
        }
        return found;
    }();
    return keys;
}

std::string LanguageFilePathFor(const std::string& dataDir, const std::string& languageCode)
{
    return dataDir + "language/lang_" + languageCode + ".txt";
}

std::string HelpFilePathFor(const std::string& dataDir, const std::string& languageCode)
{
    return dataDir + "help/help_" + languageCode + ".htm";
}

bool IsMenuCaptionKey(std::string_view key)
{
    const auto keys = MenuCaptionKeys();
    return !key.empty() && std::find(keys.begin(), keys.end(), key) != keys.end();
}

void ApplyLanguageText(std::string_view text, const std::string& dataDir, LanguageInUse& language,
                       TUiTexts& texts, const MenuCaptionSetter& setMenuCaption)
{
    const auto setCaption = [&](std::string_view key, const std::string& value) {
        if (IsMenuCaptionKey(key) && setMenuCaption)
            setMenuCaption(key, key == "MenuWebsite" ? value + " " + kProgramName : value);
    };
    // What the file leaves out, or leaves empty, keeps its English caption or
    // text: a box or a menu item without words is never what a translator meant.
    texts = EnglishUiTexts();
    for (std::string_view raw : SplitTextLines(BuiltInEnglishText())) {
        const std::string_view line = TrimIniLine(raw);
        if (!IsIniComment(line))
            setCaption(GetIniKey(line), std::string(GetIniValue(line)));
    }

    for (std::string_view raw : SplitTextLines(text)) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        const bool isEntry = line.find('=') != std::string_view::npos;
        const std::string_view key = GetIniKey(line);
        const std::string value(GetIniValue(line));
        if (isEntry && key == "FLanguage")
            language.code = value;
        language.helpPage = HelpFilePathFor(dataDir, language.code);
        if (!isEntry || value.empty())
            continue;
        setCaption(key, value);
        if (std::string* uiText = UiTextByKey(texts, key))
            *uiText = value;
    }
}
