#include "config/LoginStartSwitch.h"

#include <QAction>

#include "config/LoginStart.h"
#include "core/config/MessageText.h"
#include "config/Translations.h"
#include "ui/Prompts.h"

namespace {
// Where the session looks is read at each use: the user may move it.
LoginStart Entry(const QStringList& command) { return LoginStart(LoginStart::userAutostartDir(), command); }
} // namespace

LoginStartSwitch::LoginStartSwitch(QAction* item, const ProgramPaths& paths, Prompts& prompts,
                                   const Translations& translations, QObject* parent)
    : QObject(parent), item_(item), command_{QString::fromStdString(paths.executable)}, prompts_(prompts),
      translations_(translations)
{
    if (paths.mode == SettingsMode::ConfigFile)
        command_ << "--config" << QString::fromStdString(paths.settingsFile);
    item_->setCheckable(true);
}

void LoginStartSwitch::refresh() { item_->setChecked(Entry(command_).isEnabled()); }

void LoginStartSwitch::apply()
{
    QString error;
    if (!Entry(command_).setEnabled(item_->isChecked(), &error))
        prompts_.message(mkError, QString::fromStdString(FillFormatText(translations_.text("SLoginStartFailed"),
                                                                        {error.toStdString()})));
    refresh();
}
