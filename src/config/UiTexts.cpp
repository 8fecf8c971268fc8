#include "config/UiTexts.h"

TUiTexts& UiTexts()
{
    static TUiTexts texts;
    return texts;
}

std::string* UiTextByKey(std::string_view key)
{
    TUiTexts& t = UiTexts();
#define HB_UI_TEXT_LOOKUP(name) \
    if (key == #name)           \
        return &t.name;
    HB_UI_TEXTS(HB_UI_TEXT_LOOKUP)
#undef HB_UI_TEXT_LOOKUP
#define HB_UI_TEXT_ENGLISH_LOOKUP(name, english) \
    if (key == #name)                            \
        return &t.name;
    HB_UI_TEXTS_WITH_ENGLISH(HB_UI_TEXT_ENGLISH_LOOKUP)
#undef HB_UI_TEXT_ENGLISH_LOOKUP
    return nullptr;
}

void RestoreEnglishUiTexts()
{
    TUiTexts& t = UiTexts();
#define HB_UI_TEXT_RESTORE(name, english) t.name = english;
    HB_UI_TEXTS_WITH_ENGLISH(HB_UI_TEXT_RESTORE)
#undef HB_UI_TEXT_RESTORE
}
