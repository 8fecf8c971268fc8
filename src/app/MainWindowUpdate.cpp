// The new-version check of the main window: once per run, from TimerActualize.
#include "config/AppSettings.h"
#include "app/MainWindow.h"
#include "http/HttpClient.h"
#include "update/ReNewVersionExists.h"
#include "update/UpdateVerdict.h"

namespace {
// The requests wait in a local event loop, so other events run meanwhile;
// none of them may start a second check.
bool g_checkRunning = false;
} // namespace

void MainWindow::VerifyIfNewVersionReady()
{
    CheckForNewVersion();
}

void MainWindow::CheckForNewVersion()
{
    TimerActualize->stop();
    if (!UpdateCheckBuiltIn || g_checkRunning)
        return;
    g_checkRunning = true;
    struct Reset {
        ~Reset() { g_checkRunning = false; }
    } reset;

    const std::string address = updateAddress_.empty() ? UpdateServiceAddress(AppSettings().UpdateUrlDigits)
                                                       : updateAddress_;
    const std::string query = UpdateQuery(address, AppSettings().AppFileVersion);

    bool newerVersionExists = false;
    try {
        THttpClient client;
        if (client.Head(QString::fromLatin1(address.data(), qsizetype(address.size()))) != 200)
            return;
        const QByteArray body = client.Get(QString::fromLatin1(query.data(), qsizetype(query.size())));
        const std::string verdict = ExtractVerdict(std::string_view(body.constData(), std::size_t(body.size())));
        newerVersionExists = !verdict.empty() && !IsCurrentVersion(verdict);
    } catch (...) {
        return; // no network, no service, no answer: nothing to tell the user
    }
    // Checked after the wait: the window may have been closed meanwhile.
    if (newerVersionExists && ShowNewVersion && !closed_)
        ShowNewVersionExists();
}

void MainWindow::ShowNewVersionExists()
{
    if (NewVersionExists)
        NewVersionExists->exec();
}
