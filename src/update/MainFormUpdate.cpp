// The new-version check of the main window.
#include "app/reMainForm.h"

void TMainForm::VerifyIfNewVersionReady() { TimerActualize->stop(); }
void TMainForm::ShowNewVersionExists() {}
