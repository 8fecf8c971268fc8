// Settings file, language files, help, web site and About of the main window.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <optional>

#include "config/MessageText.h"
#include "config/ProgramInfo.h"
#include "app/MainWindow.h"
#include "capture/HotkeyEdit.h"
#include "capture/HotkeyService.h"
#include "config/IniLines.h"
#include "config/LanguageDetection.h"
#include "config/LanguageFile.h"
#include "config/LoginStart.h"
#include "config/SettingsFile.h"
#include "config/SettingsStore.h"
#include "config/TextFile.h"
#include "config/Translations.h"
#include "config/UiTexts.h"
#include "config/AboutDialog.h"
#include "platform/SystemLanguage.h"
#include "ui/Prompts.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The session starts this program with the settings file it uses now.
LoginStart LoginStartEntry(const ProgramPaths& paths)
{
    QStringList command{Q(paths.executable)};
    if (paths.mode == SettingsMode::ConfigFile)
        command << "--config" << Q(paths.settingsFile);
    return LoginStart(LoginStart::userAutostartDir(), command);
}

} // namespace

void MainWindow::LoadSettings()
{
    settingsStore_ = std::make_unique<SettingsStore>(Q(paths_.settingsFile), paths_.mode, prompts_);
    settingsStore_->load();
    Settings& settings = settingsStore_->settings();
    const int index = settings.notationIndex;
    ui_.NotationBox->setCurrentIndex(index >= 0 && index < ui_.NotationBox->count() ? index : -1);
    settings.notationIndex = ui_.NotationBox->currentIndex();
    // A hotkey the hotkey dialog would refuse (a plain key is grabbed from
    // every program), or none at all, gives way to the default; the start says so.
    TShortCut shortcut = ShortcutFromName(settings.hotkeyText);
    refusedHotKeyText_.reset();
    if (!HotkeyEdit::isValidCombination(shortcut)) {
        refusedHotKeyText_ = settings.hotkeyText.substr(0, 64);
        shortcut = ShortcutFromName(kDefaultHotKeyText);
    }
    hotkeys_->setShortcut(shortcut);
    settings.hotkeyText = ShortcutName(shortcut);
    connect(ui_.NotationBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { settingsStore_->settings().notationIndex = index; });

    translations_->useLanguage(settingsStore_->isFirstRun() ? GetUserLanguageCode(GetUserDefaultLangID())
                                                            : settings.language);
}

void MainWindow::SaveSettings()
{
    if (!settingsStore_)
        return;
    settingsStore_->settings().language = translations_->languageCode();
    settingsStore_->save();
}

void MainWindow::OpenLanguageFile(const QString& path)
{
    translations_->load(path);
}

void MainWindow::ShowMenuCaptions()
{
    const auto show = [this](std::string_view key) {
        const QString caption = translations_->caption(key);
        if (!caption.isEmpty())
            SetMenuCaption(key, caption);
    };
    for (const std::string_view menu : {"MenuFile", "MenuEdit", "MenuOptions", "MenuHelp"})
        show(menu);
    for (const MenuItem& entry : menuItems())
        if (entry.languageKey)
            show(entry.languageKey);
}

void MainWindow::chooseLanguage()
{
    const QString chosen = prompts_.languageFile(this, translations_->languageFolder());
    if (chosen.isEmpty())
        return;
    translations_->useLanguageFile(chosen);
    ContrastStyleChanged();
}

void MainWindow::routeHelpKey()
{
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName("HelpRequest");
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { showHelp(); });
}

void MainWindow::showHelp()
{
    const QString page = Q(translations_->helpPage());
    if (!IsExistingFile(page)) {
        prompts_.message(mkInformation, Q(UiTexts().SHelpNotFound));
        return;
    }
    prompts_.openUrl(QUrl::fromLocalFile(page));
}

void MainWindow::openWebsite()
{
    prompts_.openUrl(QUrl(QString::fromLatin1(kWebSiteUrl)));
}

void MainWindow::showAbout()
{
    AboutDialog about(prompts_, *translations_, paths_.mode, Q(paths_.settingsFile), this);
    prompts_.runDialog(about);
}

void MainWindow::ShowStartAtLogin() { ui_.MenuStartAtLogin->setChecked(LoginStartEntry(paths_).isEnabled()); }

void MainWindow::toggleStartAtLogin()
{
    QString error;
    if (!LoginStartEntry(paths_).setEnabled(ui_.MenuStartAtLogin->isChecked(), &error))
        prompts_.message(mkError, Q(FillFormatText(UiTexts().SLoginStartFailed, {error.toStdString()})));
    ShowStartAtLogin();
}
