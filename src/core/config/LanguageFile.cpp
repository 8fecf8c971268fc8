#include "core/config/LanguageFile.h"

#include "core/config/IniLines.h"
#include "core/config/UiTexts.h"

std::string LanguageFilePathFor(const std::string& dataDir, const std::string& languageCode)
{
    return dataDir + "language/lang_" + languageCode + ".txt";
}

std::string HelpFilePathFor(const std::string& dataDir, const std::string& languageCode)
{
    return dataDir + "help/help_" + languageCode + ".htm";
}

void ApplyLanguageText(std::string_view text, const std::string& dataDir, LanguageInUse& language, UiTexts& texts)
{
    // What the file leaves out, or leaves empty, keeps its English caption or
    // text: a box or a menu item without words is never what a translator meant.
    texts = UiTexts();
    for (std::string_view raw : SplitTextLines(text)) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        const bool isEntry = line.find('=') != std::string_view::npos;
        const std::string_view key = GetIniKey(line);
        if (isEntry && key == "FLanguage")
            language.code = GetIniValue(line);
        language.helpPage = HelpFilePathFor(dataDir, language.code);
        if (isEntry)
            texts.set(key, GetIniValue(line));
    }
}
