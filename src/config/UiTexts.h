#pragma once
// The user-interface texts: process-wide, empty until a language file sets
// them, each named by its language-file key.
#include <string>
#include <string_view>

#define HB_UI_TEXTS(X)          \
    X(SFormColorListCaption)    \
    X(SButtonUpHint)            \
    X(SButtonDownHint)          \
    X(SButtonDeleteHint)        \
    X(SUndoAll)                 \
    X(SButtonCloseHint)         \
    X(SFormAboutCaption)        \
    X(SClose)                   \
    X(SCapture)                 \
    X(SWarningOverwriteFile)    \
    X(SBadFile)                 \
    X(SBadFileFormat)           \
    X(SFileNotFound)            \
    X(SNoDataToSave)            \
    X(SNoDataToCopy)            \
    X(SErrorColorInput)         \
    X(SHelpNotFound)            \
    X(SNewVersionCaption)       \
    X(SNewVersion1)             \
    X(SNewVersion2)             \
    X(SNewVersion3)             \
    X(CB_DontShowThisMessage)   \
    X(SYes)                     \
    X(SNo)                      \
    X(SHotKeyNotRegistered)

// Texts that came after the first language files. Each starts as its English
// text and takes it again from any language file that does not set it.
// The contrast levels follow "4.4:1 " in the part of the status bar's third
// panel that the window shows, about 85 pixels: keep them short.
#define HB_UI_TEXTS_WITH_ENGLISH(X)                    \
    X(SExportGimpPalette, "GIMP palette")              \
    X(SExportCss, "CSS custom properties")             \
    X(SExportScss, "SCSS variables")                   \
    X(SExportJson, "JSON")                             \
    X(SExportCodes, "Color codes")                     \
    X(SContrastAALarge, "AA large")                    \
    X(SContrastFail, "fail")

struct TUiTexts {
#define HB_UI_TEXT_FIELD(name) std::string name;
    HB_UI_TEXTS(HB_UI_TEXT_FIELD)
#undef HB_UI_TEXT_FIELD
#define HB_UI_TEXT_ENGLISH_FIELD(name, english) std::string name = english;
    HB_UI_TEXTS_WITH_ENGLISH(HB_UI_TEXT_ENGLISH_FIELD)
#undef HB_UI_TEXT_ENGLISH_FIELD
};

TUiTexts& UiTexts();

// The text named by a language-file key, or nullptr for any other key.
std::string* UiTextByKey(std::string_view key);

// Gives the texts that have an English text that text again.
void RestoreEnglishUiTexts();
