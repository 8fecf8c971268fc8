// The main window's colour list: the list view and its controller.
#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "colorlist/ColorListController.h"

void MainWindow::CreateListView()
{
    GridCapture = new ColorGrid(Client);
    GridCapture->setObjectName("GridCapture");
    GridCapture->setGeometry(119, 2, 45, 106);
}

void MainWindow::BindColorList()
{
    listController_ = new ColorListController(*colorList_, GridCapture, EditCaptureColor, NotationBox, prompts_, this);
    connect(listController_, &ColorListController::colorShown, this, [this](TColor color) {
        ShSelectedColor->SetBrushColor(color);
        // Until the next tick shows the colour under the pointer again.
        if (capture_)
            capture_->invalidateSwatch();
    });
    connect(colorList_, &ColorListModel::colorsChanged, this, &MainWindow::SelectedListColorChanged);
    connect(colorList_, &ColorListModel::selectionChanged, this, &MainWindow::SelectedListColorChanged);
}

void MainWindow::CaptureColor()
{
    // The colour of the last tick: a capture never reads the screen itself.
    listController_->capture(Capture().color());
}

void MainWindow::PopupCaptureColorClick() { CaptureColor(); }
void MainWindow::PopupDeleteColorClick() { listController_->deleteSelected(); }
void MainWindow::PopupClearColorListClick() { listController_->clear(); }
void MainWindow::ShowFormColorList() { listController_->openManager(); }
