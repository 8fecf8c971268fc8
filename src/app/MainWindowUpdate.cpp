// The main window's part in the new-version check: the checker asks, the
// window shows the dialog.
#include "app/MainWindow.h"
#include "config/ProgramInfo.h"
#include "config/SettingsStore.h"
#include "ui/Prompts.h"
#include "update/NewVersionDialog.h"
#include "update/UpdateChecker.h"
#include "update/UpdateVerdict.h"

void MainWindow::CreateUpdateChecker(const std::string& address)
{
    const std::string service = address.empty() ? UpdateServiceAddress(kStoredUpdateUrlDigits) : address;
    updateChecker_ = new UpdateChecker(QString::fromStdString(service), kProgramFileVersion, this);
    connect(updateChecker_, &UpdateChecker::newerVersionExists, this, [this] {
        NewVersionDialog dialog(prompts_, settings(), *translations_, this);
        prompts_.runDialog(dialog);
    });
}
