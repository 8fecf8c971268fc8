#pragma once
// What the capture tick shows on every tick, and who shows it: the window's
// widgets, or a platform's faster way to the screen.
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

#include "core/color/ColorMath.h"

class IScreenSampler;
class QLabel;
class PictureView;
class ColorSwatch;
class PanelStatusBar;

// The readouts of the main window that change with the pointer.
struct TickWidgets {
    PictureView* magnifier = nullptr;
    ColorSwatch* swatch = nullptr;
    QLabel* code = nullptr; // over the swatch
    PanelStatusBar* statusBar = nullptr;
    int positionPanel = 0;
    int contrastPanel = -1; // none
};

struct TickFrame {
    // The magnified square with its cross, at the magnifier's size; null when
    // it is as last shown.
    const QImage* magnifier = nullptr;
    Rgb color;
    QString code;
    Rgb codeColor;
    QString position;
    // The contrast panel's text; null when it is as last shown.
    const QString* contrast = nullptr;
};

class TickPresenter {
public:
    virtual ~TickPresenter() = default;
    // On whichever thread runs the ticks.
    virtual void show(const TickFrame& frame) = 0;
    // On the GUI thread, when the window shows, hides or moves.
    virtual void place() {}
    // Presenters that reach the screen without Qt may run the ticks on a
    // thread of their own, every intervalMs after the last one's work; false
    // where the GUI thread's timer must run them.
    virtual bool runTicks(std::function<void()> tick, int intervalMs)
    {
        (void)tick, (void)intervalMs;
        return false;
    }
    // Returns once no tick runs any more.
    virtual void stopTicks() {}
};
