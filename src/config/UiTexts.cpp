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
#define HB_UI_TEXT_LOOKUP_WITH_FALLBACK(name, english) HB_UI_TEXT_LOOKUP(name)
    HB_UI_TEXTS_WITH_FALLBACK(HB_UI_TEXT_LOOKUP_WITH_FALLBACK)
#undef HB_UI_TEXT_LOOKUP_WITH_FALLBACK
#undef HB_UI_TEXT_LOOKUP
    return nullptr;
}
