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
    return nullptr;
}
