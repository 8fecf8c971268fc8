#pragma once
// The main window: it owns the colour list, the capture controller, the
// hotkey service, the settings, the language and the update timer, and wires
// them to its widgets and menus: app/MainWindow.cpp, the menu table in
// app/MainWindowMenus.cpp, the list in app/MainWindowList.cpp.
#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ShortcutSetting.h"
#include "app/MainWindowServices.h"
#include "app/MainWindowUi.h"

class QAction;
class QMenu;
class CaptureController;
class ColorListModel;
class ColorListController;
class ListFileService;
class DesktopCapture;
class HotkeyService;
class LanguageService;
class LoginStartSwitch;
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

    // What a close does before the window goes: stops the capture and the
    // update timer, releases the hotkey and saves the settings. Once only;
    // false when the settings could not be saved.
    bool finish();

    // The capture command: the colour under the pointer.
    void captureAtPointer();
    void startPickMode();

    // The settings file, written at close. Saving does nothing until it was
    // read; false when it failed.
    bool saveSettings();
    // Only once they were read: saving before would write the defaults over them.
    bool settingsLoaded() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The swatch's tooltip names its colour.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // ---- application shell (app/MainWindow.cpp) ----
    Settings& settings();
    void initialiseWindow();
    void startAtFirstShow();
    void showCaptureStatus();
    // The settings file: read at the first show.
    void loadSettings();
    // The captions of the language in use; the built-in ones until a file is loaded.
    void showMenuCaptions();
    // The level words of the contrast readout follow the language.
    void applyContrastStyle();
    void passSelectedColorToCapture();
    // Adds the colour the last tick showed to the list.
    void captureColor();

    // The menus' commands kept here; the others go straight to their components.
    void editHotkey();
    void showAbout();
    // Options > Sample: the square every capture averages over.
    void setSampleSide(int side);

    // One line of a menu: the item's place in the window's widgets, and where
    // the language file's caption for it is found.
    struct MenuItem {
        QMenu* MainWindowUi::*menu;
        const char* objectName;
        const char* languageKey; // null: a separator
        const char* caption;
        QKeyCombination shortcut;
        void (*run)(MainWindow& window);
        // Where the window keeps the items it acts on itself.
        QAction* MainWindowUi::*keptAs = nullptr;
        // Set for a submenu: the item opens it, and this fills it.
        void (*fillSubmenu)(MainWindow& window, QMenu& submenu) = nullptr;
    };
    static const std::vector<MenuItem>& menuItems();
    // The menus of the menu bar, each named by its language key.
    QList<QMenu*> menuBarMenus() const;
    // One item per notation, each copying the selected colour's code.
    void fillCopyAsMenu(QMenu& menu);

    void createControls();
    void bindColorList();
    void createMenus();
    // The caption of the menu or item with that language key; the item's shortcut
    // follows the caption in its text form ("Suppr").
    void setMenuCaption(std::string_view languageKey, const QString& caption);
    // The shortcut of a menu item, as the settings and the status bar name it.
    static QKeyCombination menuShortcut(const QAction* item);
    void setMenuShortcut(QAction* item, QKeyCombination shortcut);
    void setItemCaption(QAction* item, const QString& caption);

    void createCaptureController(std::unique_ptr<IScreenSampler> sampler);
    void createHotkeyService(std::unique_ptr<IGlobalHotkey> hotkey);

    void connectDesktopCapture();
    // Empty address: the one built into the program.
    void createUpdateChecker(const std::string& address, const HttpSettings& http);

    MainWindowUi ui_;
    // The menu table's items, in its order; null for a separator.
    std::vector<QAction*> menuActions_;
    ColorListModel* colorList_ = nullptr;
    ColorListController* listController_ = nullptr;
    ListFileService* listFiles_ = nullptr;
    DesktopCapture* desktopCapture_ = nullptr;
    Prompts& prompts_;
    const ProgramPaths paths_;
    CaptureController* capture_ = nullptr;
    HotkeyService* hotkeys_ = nullptr;
    UpdateChecker* updateChecker_ = nullptr;
    Translations* translations_ = nullptr;
    LanguageService* language_ = nullptr;
    LoginStartSwitch* loginStart_ = nullptr;
    std::unique_ptr<SettingsStore> settingsStore_;
    int sampleSide_ = 1;
    bool shown_ = false;
    bool finished_ = false;
    // The settings' hotkey text when the default stood in for it.
    std::optional<std::string> refusedHotKeyText_;
};
