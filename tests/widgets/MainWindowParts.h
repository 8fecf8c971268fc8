#pragma once
// The main window's widgets and menu items as a user reaches them, found by
// their object names, and the parts behind them the window is made of: the
// colour list every view shows and the capture tick.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "RecordingPrompts.h"
#include "capture/CaptureController.h"
#include "colorlist/ColorGrid.h"
#include "colorlist/ColorListModel.h"
#include "config/Translations.h"
#include "ui/ColorSwatch.h"
#include "ui/PictureView.h"
#include "ui/PanelStatusBar.h"
#include "ui/WidgetHelpers.h"

class MainWindowParts {
    const QObject& window_; // first: the lookups below need it

public:
    explicit MainWindowParts(const QObject& window) : window_(window) {}

    template <class T = QAction>
    T* find(const char* name) const
    {
        return window_.findChild<T*>(QLatin1String(name));
    }

    QWidget* Client = find<QWidget>("Client");
    PictureView* ImgBackground = find<PictureView>("ImgBackground");
    ColorSwatch* ShSelectedColor = find<ColorSwatch>("ShSelectedColor");
    QLabel* LabelColor = find<QLabel>("LabelColor");
    ColorSwatch* SHImageZoom = find<ColorSwatch>("SHImageZoom");
    PictureView* ImgZoom = find<PictureView>("ImgZoom");
    ColorGrid* GridCapture = find<ColorGrid>("GridCapture");
    QComboBox* NotationBox = find<QComboBox>("NotationBox");
    QLineEdit* EditCaptureColor = find<QLineEdit>("EditCaptureColor");
    PanelStatusBar* StatusBar = find<PanelStatusBar>("StatusBar");

    // A menu, or a menu item, by its object name ("MenuFile", "ContextDeleteColor").
    QMenu* menu(const char* name) const { return find<QMenu>(name); }
    QAction* item(const char* name) const { return find<QAction>(name); }

    // The colour list the grid, the code field and the manager show.
    ColorListModel& list() const { return *window_.findChild<ColorListModel*>(); }
    // The capture tick; a test that runs the ticks itself stops it first.
    CaptureController& capture() const { return *window_.findChild<CaptureController*>(); }
};

inline MainWindowParts Parts(const QObject& window)
{
    return MainWindowParts(window);
}

// Chooses a language file as the user does, through Options > Language.
inline void ChooseLanguageFile(const QObject& window, RecordingPrompts& prompts, const QString& path)
{
    prompts.onLanguageFile = [path](const QString&) { return path; };
    Parts(window).item("MenuLanguage")->trigger();
    prompts.onLanguageFile = nullptr;
}

// The language the window speaks.
inline Translations& LanguageOf(const QObject& window)
{
    return *window.findChild<Translations*>();
}

// A text of the window's language.
inline QString TextOf(const QObject& window, UiTextKey key)
{
    return QString::fromStdString(LanguageOf(window).text(key));
}
