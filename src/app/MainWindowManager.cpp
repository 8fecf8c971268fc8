// Opening the colour-list manager from the main window.
#include "app/MainWindow.h"
#include "colorlist/reFormColorList.h"

void MainWindow::ShowFormColorList()
{
    // The main window is disabled while the manager is open, but a second
    // request could still arrive through a shortcut: one manager at a time.
    if (TFormColorList::Open())
        return;
    if (colorList_->managerOpenCount() == 0) {
        // The first opening stands by the main window, a sixth of its defined width in.
        QRect geometry = colorList_->managerGeometry();
        geometry.moveTopLeft(pos() + QPoint(ColorListModel::kManagerSize.width() / 6, 0));
        colorList_->setManagerGeometry(geometry);
    }
    colorList_->countManagerOpening();
    TFormColorList manager({colorList_->colors(), GridCapture->currentRow(), colorList_->managerGeometry()},
                           [this](TColor color) { return ShowCodeColors(NotationBox, color); }, this);
    connect(&manager, &TFormColorList::rowSelected, GridCapture, &ColorGrid::setCurrentRow);
    connect(&manager, &TFormColorList::closing, this, [this](const ManagedList& result) {
        colorList_->setColors(result.colors);
        GridCapture->repaintCells();
        colorList_->setManagerGeometry(result.geometry);
    });
    manager.exec();
}
