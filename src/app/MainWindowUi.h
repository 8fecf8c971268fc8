#pragma once
// The main window's widgets, menus and actions, each named as its object, and
// where every widget sits. The window builds it once and keeps it to itself.
class ColorGrid;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QWidget;
class PictureView;
class ColorSwatch;
class PanelStatusBar;

struct MainWindowUi {
    QWidget* Client = nullptr; // the 276 x 131 client area below the menu bar
    PictureView* ImgBackground = nullptr;
    ColorSwatch* ShSelectedColor = nullptr;
    QLabel* LabelColor = nullptr;
    ColorSwatch* SHImageZoom = nullptr;
    PictureView* ImgZoom = nullptr;
    ColorGrid* GridCapture = nullptr;
    QComboBox* NotationBox = nullptr;
    QLineEdit* EditCaptureColor = nullptr;
    PanelStatusBar* StatusBar = nullptr;

    QMenuBar* MenuBar = nullptr;
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
    QAction* MenuHotkey = nullptr;
    QAction* MenuLanguage = nullptr;
    QAction* MenuStartAtLogin = nullptr; // checked while the session starts the program
    QAction* MenuColorListManaging = nullptr;
    QAction* MenuSwatches = nullptr;
    QAction* MenuPick = nullptr;
    QMenu* MenuHelp = nullptr;
    QAction* MenuHelpIndex = nullptr;
    QAction* MenuWebsite = nullptr;
    QAction* MenuAbout = nullptr;
    // The list's context menu; its shortcuts work while it is closed.
    QMenu* ContextMenu = nullptr;
    // Edit > Copy as, one item per notation; also below the code field's own menu.
    QMenu* MenuCopyAs = nullptr;
    QAction* ContextCaptureColor = nullptr; // hidden: it carries the capture hotkey
    QAction* ContextCopyColorList = nullptr;
    QAction* ContextDeleteColor = nullptr;
    QAction* ContextClearColorList = nullptr;
    QAction* ContextCut = nullptr;
    QAction* ContextCopy = nullptr;
    QAction* ContextPaste = nullptr;

    // The widgets and the empty menus; the window fills the menus from its menu table.
    void setupUi(QMainWindow* window);
};
