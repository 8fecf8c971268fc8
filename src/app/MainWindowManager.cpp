// Opening the colour-list manager from the main window.
#include "app/MainWindow.h"
#include "colorlist/reFormColorList.h"

void MainWindow::ShowFormColorList()
{
    // The main window is disabled while the manager is open, but a second
    // request could still arrive through a shortcut: one manager at a time.
    if (TFormColorList::Open())
        return;
    if (ColorListOpenCount == 0) {
        constexpr int kManagerDefinedWidth = 220;
        ColorListTop = pos().y();
        ColorListLeft = pos().x() + kManagerDefinedWidth / 6;
    }
    ++ColorListOpenCount;
    TFormColorList manager({ColorList, GridCapture->currentRow(),
                            QRect(ColorListLeft, ColorListTop, ColorListWidth, ColorListHeight)},
                           [this](TColor color) { return ShowCodeColors(NotationBox, color); }, this);
    connect(&manager, &TFormColorList::rowSelected, GridCapture, &ColorGrid::setCurrentRow);
    connect(&manager, &TFormColorList::closing, this, [this](const ManagedList& result) {
        ColorList = result.colors;
        FillGridCapture(ColorList);
        GridCapture->repaintCells();
        ColorListLeft = result.geometry.x();
        ColorListTop = result.geometry.y();
        ColorListWidth = result.geometry.width();
        ColorListHeight = result.geometry.height();
    });
    manager.exec();
}
