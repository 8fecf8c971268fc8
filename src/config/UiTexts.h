#pragma once
// The user-interface texts: process-wide, in English until a language file
// sets them, each named by its language-file key.
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
    X(SFileUnreadable)          \
    X(SNotRegularFile)          \
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

// Texts added after the first language files: English until a language file
// names them, so older or hand-made language files keep working.
#define HB_UI_TEXTS_WITH_FALLBACK(X)          \
    X(SAboutPortable, "Portable: %s")         \
    X(SAboutInstalled, "Installed: %s")       \
    X(SAboutConfigFile, "Settings: %s")       \
    X(SLoginStartFailed, "Start at login could not be changed: %s")

struct TUiTexts {
#define HB_UI_TEXT_FIELD(name) std::string name;
    HB_UI_TEXTS(HB_UI_TEXT_FIELD)
#undef HB_UI_TEXT_FIELD
#define HB_UI_TEXT_FIELD_WITH_FALLBACK(name, english) std::string name = english;
    HB_UI_TEXTS_WITH_FALLBACK(HB_UI_TEXT_FIELD_WITH_FALLBACK)
#undef HB_UI_TEXT_FIELD_WITH_FALLBACK
};

TUiTexts& UiTexts();

// The texts of the English language file built into the program.
TUiTexts EnglishUiTexts();

// The text named by a language-file key, or nullptr for any other key.
std::string* UiTextByKey(std::string_view key);
std::string* UiTextByKey(TUiTexts& texts, std::string_view key);
