#include "config/DesktopHooks.h"

#include <QDesktopServices>
#include <QFileDialog>

namespace {
ShellOpenHook& OpenHook()
{
    static ShellOpenHook hook;
    return hook;
}

ChooseLanguageFileHook& ChooseHook()
{
    static ChooseLanguageFileHook hook;
    return hook;
}
} // namespace

void ShellOpen(const QUrl& url)
{
    if (OpenHook())
        OpenHook()(url);
    else
        QDesktopServices::openUrl(url);
}

void SetShellOpenHook(ShellOpenHook hook) { OpenHook() = std::move(hook); }

QString ChooseLanguageFile(QWidget* parent, const QString& folder)
{
    if (ChooseHook())
        return ChooseHook()(folder);
    // "*" rather than "*.*": on Linux a file name need not have a dot.
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        QStringLiteral("All files (*);;Text files (*.txt)"));
}

void SetChooseLanguageFileHook(ChooseLanguageFileHook hook) { ChooseHook() = std::move(hook); }
