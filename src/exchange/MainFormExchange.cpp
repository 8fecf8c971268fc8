// List files, palettes, dropped files and the clipboard of the main window.
#include "app/reMainForm.h"

void TMainForm::MenuOpenColorListClick() {}
void TMainForm::MenuSaveColorListClick() {}
void TMainForm::MenuSwatchesClick() {}
bool TMainForm::OpenColorList(const QString&) { return false; }
bool TMainForm::ConfirmOverwrite(const QString&) { return false; }
void TMainForm::WMDropFiles(const QStringList&) {}
void TMainForm::PopupCopyColorListClick() {}
void TMainForm::PopupCutClick() {}
void TMainForm::PopupCopyClick() {}
void TMainForm::PopupPasteClick() {}
