// The main window's colour list: its controller and its files.
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>

#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "core/color/ColorNames.h"
#include "colorlist/ColorListController.h"
#include "exchange/ListFileService.h"
#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"

void MainWindow::bindColorList()
{
    listController_ = new ColorListController(*colorList_, ui_.GridCapture, ui_.EditCaptureColor, ui_.NotationBox,
                                              prompts_, *translations_, this);
    connect(listController_, &ColorListController::colorShown, this, [this](Rgb color) {
        ui_.ShSelectedColor->setBrushColor(color);
        // Until the next tick shows the colour under the pointer again.
        if (capture_)
            capture_->invalidateSwatch();
    });
    // The note stands in for the capture status a few seconds.
    connect(listController_, &ColorListController::codeNote, this, [this](const QString& note) {
        ui_.StatusBar->setPanelText(1, note);
        QTimer::singleShot(4000, this, [this] { showCaptureStatus(); });
    });
    ui_.ShSelectedColor->installEventFilter(this);
    listFiles_ = new ListFileService(*colorList_, QString::fromStdString(paths_.palettesDir), prompts_, *translations_,
                                     this);
    connect(colorList_, &ColorListModel::colorsChanged, this, &MainWindow::passSelectedColorToCapture);
    connect(colorList_, &ColorListModel::selectionChanged, this, &MainWindow::passSelectedColorToCapture);
}

void MainWindow::captureColor()
{
    // The colour of the last tick: a capture never reads the screen itself.
    listController_->capture(capture_->color());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui_.ShSelectedColor || event->type() != QEvent::ToolTip)
        return QMainWindow::eventFilter(watched, event);
    // The last tick's colour is the swatch's on every platform; the X11 tick
    // paints the swatch without its widget.
    const Rgb shown = capture_ ? capture_->color() : ui_.ShSelectedColor->brushColor();
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), QString::fromStdString(ColorNameText(NearestCssColorName(shown))),
                       ui_.ShSelectedColor);
    return true;
}
