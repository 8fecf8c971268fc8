// The main window's list view, the capture command and the code field.
#include "app/reMainForm.h"

void TMainForm::CreateListView()
{
    GridCapture = new TColorStringGrid(Client);
    GridCapture->setObjectName("GridCapture");
    GridCapture->setGeometry(119, 2, 45, 106);
    GridCapture->SetDefaultColWidth(172);
    GridCapture->SetDefaultRowHeight(20);
    GridCapture->SetColCount(1);
    GridCapture->SetRowCount(6);
    GridCapture->SetColorOn(true);
}

void TMainForm::FillGridCapture(const TColorArray&) {}
void TMainForm::ResetGridCapture() {}
void TMainForm::RefreshEditCaptureColor() {}
void TMainForm::ResetCapturePanelBottom() {}
void TMainForm::GridCaptureGetCellColor(TColorStringGrid*, int, int, TGridDrawState, QColor&, QColor&) {}
void TMainForm::GridCaptureSelectCell(TColorStringGrid*, int, int, bool&) {}
void TMainForm::CBX_FormatCaptureChange() {}
void TMainForm::CaptureColor() {}
void TMainForm::PopupCaptureColorClick() { CaptureColor(); }
void TMainForm::PopUpDeleteColorClick() {}
void TMainForm::PopUpClearColorListClick() {}
bool TMainForm::EditCaptureColorKeyPress(QChar&) { return true; }
