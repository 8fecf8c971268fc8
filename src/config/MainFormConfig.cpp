// Settings file, language files, help, web site and About of the main window.
#include "app/reMainForm.h"

void TMainForm::OpenIniFile(const QString&) {}
void TMainForm::CreateIniFile(const QString&) {}
void TMainForm::SaveIniFile(const QString&) {}
void TMainForm::OpenLanguageFile(const QString&) {}
void TMainForm::ButtonLanguageClick() {}
void TMainForm::CallHelpHtml() {}
void TMainForm::MenuHelpIndexClick() { CallHelpHtml(); }
bool TMainForm::HelpChm() { CallHelpHtml(); return true; }
void TMainForm::MenuWebsiteClick() {}
void TMainForm::ButtonAboutClick() {}
