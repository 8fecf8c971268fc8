// The main window's colour list: its controller and its files.
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "colorlist/ColorListController.h"
#include "exchange/ListFileService.h"
#include "ui/ColorSwatch.h"

void MainWindow::bindColorList()
{
    listController_ = new ColorListController(*colorList_, ui_.GridCapture, ui_.EditCaptureColor, ui_.NotationBox,
                                              prompts_, *translations_, this);
    connect(listController_, &ColorListController::colorShown, this, [this](TColor color) {
        ui_.ShSelectedColor->setBrushColor(color);
        // Until the next tick shows the colour under the pointer again.
        if (capture_)
            capture_->invalidateSwatch();
    });
    listFiles_ = new ListFileService(*colorList_, QString::fromStdString(paths_.palettesDir), prompts_, *translations_,
                                     this);
    connect(colorList_, &ColorListModel::colorsChanged, this, &MainWindow::passSelectedColorToCapture);
    connect(colorList_, &ColorListModel::selectionChanged, this, &MainWindow::passSelectedColorToCapture);
}

void MainWindow::captureColor()
{
    // The colour of the last tick: a capture never reads the screen itself.
    listController_->capture(capture().color());
}
