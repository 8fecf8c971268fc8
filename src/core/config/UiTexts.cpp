#include "core/config/UiTexts.h"

#include "core/config/IniLines.h"
#include "core/config/LanguageFile.h"

TUiTexts EnglishUiTexts()
{
    TUiTexts texts;
    for (std::string_view raw : SplitTextLines(BuiltInEnglishText())) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        if (std::string* text = UiTextByKey(texts, GetIniKey(line)))
            *text = GetIniValue(line);
    }
    return texts;
}

std::string* UiTextByKey(TUiTexts& t, std::string_view key)
{
#define HB_UI_TEXT_LOOKUP(name) \
    if (key == #name)           \
        return &t.name;
    HB_UI_TEXTS(HB_UI_TEXT_LOOKUP)
#undef HB_UI_TEXT_LOOKUP
    return nullptr;
}
