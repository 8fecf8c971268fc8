#pragma once
// What the capture tick shows on every tick, and who shows it: the window's
// widgets, or a platform's faster way to the screen.
#include <QImage>
#include <QString>
#include <memory>

#include "color/ColorMath.h"

class QLabel;
class TPicture;
class TShape;
class TStatusBar;

// The readouts of the main window that change with the pointer.
struct TickWidgets {
    TPicture* magnifier = nullptr;
    TShape* swatch = nullptr;
    QLabel* code = nullptr; // over the swatch
    TStatusBar* statusBar = nullptr;
    int positionPanel = 0;
};

struct TickFrame {
    // The magnified square with its cross, at the magnifier's size; null when
    // it is as last shown.
    const QImage* magnifier = nullptr;
    TColor color = 0;
    QString code;
    TColor codeColor = 0;
    QString position;
};

class TickPresenter {
public:
    virtual ~TickPresenter() = default;
    virtual void show(const TickFrame& frame) = 0;
};

// The X server's shared memory where the program runs on X11 (unless
// HUEBIRD_TICK_PRESENTER=qt), the widgets elsewhere.
std::unique_ptr<TickPresenter> CreateTickPresenter(const TickWidgets& widgets);
