#pragma once
// The main window: owner of the colour list, the current colour, the capture
// controller, the hotkey service and the update timer. Its handlers live in
// app/MainWindow*.cpp, one file a subject; this file declares them all.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "ui/Widgets.h"
#include "capture/ShortcutText.h"
#include "color/ColorContrast.h"
#include "colorlist/ColorGrid.h"
#include "colorlist/ColorListModel.h"
#include "app/MainWindowServices.h"

class CaptureController;
class ColorListController;
class ListFileService;
class DesktopCapture;
class HotkeyService;
class IScreenSampler;
class Prompts;
class SettingsStore;
class Translations;
struct Settings;
class UpdateChecker;
class IGlobalHotkey;
struct ScreenPointer;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Every message, file dialog and question goes through the services' prompts.
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- working state ----
    ColorListModel& colorList() { return *colorList_; }
    const ColorListModel& colorList() const { return *colorList_; }
    ColorListController& colorListController() { return *listController_; }

    // ---- controls ----
    QWidget* Client = nullptr; // the 276 x 131 client area below the menu bar
    TPicture* ImgBackground = nullptr;
    TShape* ShSelectedColor = nullptr;
    QLabel* LabelColor = nullptr;
    TShape* SHImageZoom = nullptr;
    TPicture* ImgZoom = nullptr;
    ColorGrid* GridCapture = nullptr;
    QComboBox* NotationBox = nullptr;
    QLineEdit* EditCaptureColor = nullptr;
    TStatusBar* StatusBar = nullptr;

    // ---- menus ----
    QMenu* MenuFile = nullptr;
    QAction* MenuOpenColorList = nullptr;
    QAction* MenuSaveColorList = nullptr;
    QAction* MenuExportColorList = nullptr;
    QAction* MenuClose = nullptr;
    QMenu* MenuEdit = nullptr;
    QAction* MenuCopyColorList = nullptr;
    QAction* MenuClearColorList = nullptr;
    QAction* MenuCut = nullptr;
    QAction* MenuCopy = nullptr;
    QAction* MenuPaste = nullptr;
    QMenu* MenuOptions = nullptr;
    QAction* MenuPick = nullptr;
    QAction* MenuHotkey = nullptr;
    QAction* MenuLanguage = nullptr;
    QAction* MenuStartAtLogin = nullptr; // checked while the session starts the program
    QAction* MenuColorListManaging = nullptr;
    QAction* MenuSwatches = nullptr;
    QMenu* MenuHelp = nullptr;
    QAction* MenuHelpIndex = nullptr;
    QAction* MenuWebsite = nullptr;
    QAction* MenuAbout = nullptr;
    QMenu* PopupCapture = nullptr;
    QAction* PopupCaptureColor = nullptr;
    QAction* PopupCopyColorList = nullptr;
    QAction* PopupDeleteColor = nullptr;
    QAction* PopupClearColorList = nullptr;
    QAction* PopupCut = nullptr;
    QAction* PopupCopy = nullptr;
    QAction* PopupPaste = nullptr;

    // Menu captions and shortcuts: the shortcut shows in its text form ("Suppr").
    void SetMenuCaption(QAction* item, const QString& caption);
    void SetMenuCaption(QMenu* menu, const QString& caption);
    TShortCut MenuShortCut(const QAction* item) const;
    void SetMenuShortCut(QAction* item, TShortCut shortcut);

    // ---- application shell (app/MainWindow.cpp) ----
    void FormCreate();
    void FormShow();
    void FormClose();
    void ButtonCloseClick();
    void ResetStatusBar();

    // ---- capture (app/MainWindow.cpp) ----
    CaptureController& Capture() { return *capture_; }
    HotkeyService& Hotkeys() { return *hotkeys_; }
    // The separator and the level words of the contrast readout follow the language.
    void ContrastStyleChanged();
    void SelectedListColorChanged();
    void ButtonHotKeyClick();

    // ---- capture modes and pick mode (app/MainWindow.cpp) ----
    DesktopCapture& Desktop() { return *desktopCapture_; }
    void MenuPickClick();
    // The hotkey and the capture command: the colour under the pointer.
    void CaptureAtPointer();

    // ---- the colour list's commands (app/MainWindowList.cpp) ----
    void CaptureColor();
    void PopupCaptureColorClick();
    void PopupDeleteColorClick();
    void PopupClearColorListClick();
    void ShowFormColorList();

    // ---- list files, drops and clipboard (app/MainWindowList.cpp) ----
    ListFileService& listFiles() { return *listFiles_; }
    void MenuOpenColorListClick();
    void MenuSaveColorListClick();
    void MenuExportColorListClick();
    void MenuSwatchesClick();
    void PopupCopyColorListClick();
    void PopupCutClick();
    void PopupCopyClick();
    void PopupPasteClick();
    // The Edit menu's Cut, Copy and Paste keys, which the code field must leave to the menu.
    bool EditMenuTakesKey(const QKeyEvent* key) const;

    // ---- settings, languages, help (app/MainWindowConfig.cpp) ----
    // The settings file: read at the first show, written at close.
    void LoadSettings();
    void SaveSettings();
    Settings& settings();
    // Only once they were read: saving before would write the defaults over them.
    bool settingsLoaded() const;
    void OpenLanguageFile(const QString& path);
    // The captions of the language in use; the built-in ones until a file is loaded.
    void ShowMenuCaptions();
    void ButtonLanguageClick();
    void CallHelpHtml();
    void MenuHelpIndexClick();
    bool HelpChm();
    void RouteHelpRequests(); // F1 anywhere in the window reaches HelpChm
    void MenuWebsiteClick();
    void ButtonAboutClick();
    void MenuStartAtLoginClick();
    void ShowStartAtLogin(); // the check follows the autostart entry, which the desktop may change too


protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateListView();
    void BindColorList();
    void CreateMenus();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     void (MainWindow::*handler)(), TShortCut shortcut = 0);

    void CreateCaptureController(std::unique_ptr<IScreenSampler> sampler);
    void CreateHotkeyService(std::unique_ptr<IGlobalHotkey> hotkey);

    void ConnectDesktopCapture();
    // Empty address: the one built into the program.
    void CreateUpdateChecker(const std::string& address);
    // The status bar's capture panel: the capture mode ("Capture:" on X11) and the hotkey.
    QString CaptureStatusText(const QString& keyText) const;

    ColorListModel* colorList_ = nullptr;
    ColorListController* listController_ = nullptr;
    ListFileService* listFiles_ = nullptr;
    DesktopCapture* desktopCapture_ = nullptr;
    Prompts& prompts_;
    CaptureController* capture_ = nullptr;
    HotkeyService* hotkeys_ = nullptr;
    UpdateChecker* updateChecker_ = nullptr;
    Translations* translations_ = nullptr;
    std::unique_ptr<SettingsStore> settingsStore_;
    bool shown_ = false;
    bool closed_ = false;
    // The settings' hotkey text when the default stood in for it.
    std::optional<std::string> refusedHotKeyText_;
};
