#include "config/LanguageFile.h"

#include <algorithm>
#include <utility>

#include "app/AppSettings.h"
#include "config/IniLines.h"
#include "config/UiTexts.h"

namespace {
constexpr std::string_view kMenuCaptionKeys[] = {
    "MenuFile", "MenuOpenColorList", "MenuSaveColorList", "MenuExportColorList", "MenuClose",
    "MenuEdit", "MenuCopyColorList", "MenuClearColorList", "MenuCut", "MenuCopy", "MenuPaste",
    "MenuOptions", "MenuColorListManaging", "MenuHotkey", "MenuLanguage",
    "MenuHelp", "MenuHelpIndex", "MenuAbout", "MenuWebsite", "MenuSwatches",
    "MenuCaptureColor", "PopupCopyColorList", "PopUpDeleteColor", "PopUpClearColorList",
    "PopupCut", "PopupCopy", "PopupPaste"};

// Captions that came after the first language files: a file without them
// gives the English caption rather than the last language's.
constexpr std::pair<std::string_view, std::string_view> kEnglishMenuCaptions[] = {
    {"MenuExportColorList", "Export color list..."}};
} // namespace

std::span<const std::string_view> MenuCaptionKeys()
{
    return kMenuCaptionKeys;
}

std::span<const std::pair<std::string_view, std::string_view>> EnglishMenuCaptions()
{
    return kEnglishMenuCaptions;
}

bool IsMenuCaptionKey(std::string_view key)
{
    const auto keys = MenuCaptionKeys();
    return !key.empty() && std::find(keys.begin(), keys.end(), key) != keys.end();
}

void ApplyLanguageText(std::string_view text, TAppSettings& settings,
                       const MenuCaptionSetter& setMenuCaption)
{
    RestoreEnglishUiTexts();
    if (setMenuCaption)
        for (const auto& [key, english] : EnglishMenuCaptions())
            setMenuCaption(key, std::string(english));
    for (std::string_view raw : SplitTextLines(text)) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        const bool isEntry = line.find('=') != std::string_view::npos;
        const std::string_view key = GetIniKey(line);
        const std::string value(GetIniValue(line));
        if (isEntry && key == "FLanguage")
            settings.LanguageCode = value;
        settings.HelpFilePath = HelpFilePathFor(settings.AppDir, settings.LanguageCode);
        if (!isEntry)
            continue;
        if (IsMenuCaptionKey(key) && setMenuCaption)
            setMenuCaption(key, key == "MenuWebsite" ? value + " " + settings.AppName : value);
        if (std::string* uiText = UiTextByKey(key))
            *uiText = value;
    }
}
