#include "config/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

#include "core/config/SettingsFile.h"
#include "config/TextFile.h"
#include "ui/Prompts.h"

SettingsStore::SettingsStore(QString path, SettingsMode mode, Prompts& prompts)
    : path_(std::move(path)), mode_(mode), prompts_(prompts)
{
}

void SettingsStore::prepareFolder() const
{
    // Installed, the settings folder under ~/.config is made when first needed.
    if (mode_ == SettingsMode::Installed)
        QDir().mkpath(QFileInfo(path_).path());
}

QString SettingsStore::createDefaultFile() const
{
    QString error;
    prepareFolder();
    WriteTextFile(path_, DefaultSettingsText(), &error);
    return error;
}

void SettingsStore::load()
{
    QString error;
    if (!IsExistingFile(path_))
        error = createDefaultFile();

    std::optional<std::string> text = IsExistingFile(path_) ? ReadTextFile(path_, &error) : std::nullopt;
    if (!text) {
        // No language file is loaded yet, so this one text is built in.
        prompts_.message(mkWarning, QStringLiteral("The settings file \"%1\" cannot be used (%2). "
                                                   "Huebird Lite starts with the default settings.")
                                        .arg(path_, error));
        text = DefaultSettingsText();
    }
    ApplySettingsText(*text, settings_);
    firstRun_ = settings_.runCount == 0;
    settings_.runCount = NextRunCount(settings_.runCount);
    loaded_ = true;
}

bool SettingsStore::save()
{
    QString error;
    prepareFolder();
    if (WriteTextFile(path_, SettingsFileText(settings_), &error))
        return true;
    prompts_.message(mkError, QStringLiteral("The settings could not be saved to \"%1\": %2").arg(path_, error));
    return false;
}
