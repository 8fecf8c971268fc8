// The main window's colour list: the list view, its controller and its files.
#include <QKeyEvent>

#include "app/MainWindow.h"
#include "capture/CaptureController.h"
#include "colorlist/ColorListController.h"
#include "exchange/ListFileService.h"

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
    listFiles_ = new ListFileService(*colorList_, prompts_, [this] { return listController_->notation(); }, this);
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
void MainWindow::MenuOpenColorListClick() { listFiles_->open(); }
void MainWindow::MenuSaveColorListClick() { listFiles_->save(); }
void MainWindow::MenuExportColorListClick() { listFiles_->exportList(); }
void MainWindow::MenuSwatchesClick() { listFiles_->openPalette(); }
void MainWindow::PopupCopyColorListClick() { listFiles_->copyList(); }
void MainWindow::PopupCutClick() { listController_->cutCode(); }
void MainWindow::PopupCopyClick() { listController_->copyCode(); }
void MainWindow::PopupPasteClick() { listController_->pasteCode(); }

bool MainWindow::EditMenuTakesKey(const QKeyEvent* key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* item : {MenuCut, MenuCopy, MenuPaste})
        if (!item->shortcut().isEmpty() && item->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true;
    return false;
}
