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

// The status bar's font and its four readout panels (position, capture key,
// contrast, nearest name), as the main window shows them.
void SetUpReadoutPanels(PanelStatusBar& bar);

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
    QMenu* MenuEdit = nullptr;
    QMenu* MenuOptions = nullptr;
    QMenu* MenuHelp = nullptr;
    QMenu* MenuSimulate = nullptr; // in Options; the menu table makes it
    // The list's context menu; its shortcuts work while it is closed.
    QMenu* ContextMenu = nullptr;
    QMenu* MenuSample = nullptr; // Options > Sample, made by the menu table
    // The items the window acts on itself; the menu table makes them all.
    QAction* MenuCut = nullptr;
    QAction* MenuCopy = nullptr;
    QAction* MenuPaste = nullptr;
    QAction* MenuStartAtLogin = nullptr; // checked while the session starts the program
    QAction* ContextCaptureColor = nullptr; // hidden: it carries the capture hotkey

    // The widgets and the empty menus; the window fills the menus from its menu table.
    void setupUi(QMainWindow* window);
};
