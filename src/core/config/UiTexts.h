#pragma once
// The user-interface texts of one language, each named by its language-file key.
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
    /* the capture mode on Wayland, in place of SCapture */ \
    X(SCaptureScreenCast)       \
    X(SCapturePickMode)         \
    X(SCapturePicker)           \
    X(SCaptureNoScreen)         \
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
    X(SHotKeyNotRegistered)     \
    X(SHotKeyBindCommand)       \
    X(SAboutPortable)           \
    X(SAboutInstalled)          \
    X(SAboutConfigFile)         \
    X(SLoginStartFailed)        \
    X(SExportGimpPalette)       \
    X(SExportCss)               \
    X(SExportScss)              \
    X(SExportJson)              \
    X(SExportCodes)             \
    /* the contrast levels follow "4.4:1 " in the part of the status bar's */ \
    /* third panel that the window shows, about 85 pixels: keep them short */ \
    X(SContrastAALarge)         \
    X(SContrastFail)            \
    /* after a code is read, in the status bar's second panel (120 pixels) */ \
    X(SCodeAlphaIgnored)        \
    X(SCodeOutOfGamut)

struct TUiTexts {
#define HB_UI_TEXT_FIELD(name) std::string name;
    HB_UI_TEXTS(HB_UI_TEXT_FIELD)
#undef HB_UI_TEXT_FIELD
};

// The texts of the English language file built into the program.
TUiTexts EnglishUiTexts();

// The text named by a language-file key, or nullptr for any other key.
std::string* UiTextByKey(TUiTexts& texts, std::string_view key);
