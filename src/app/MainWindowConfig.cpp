// Settings file, language files, help, web site and About of the main window.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <optional>

#include "config/AppSettings.h"
#include "config/MessageText.h"
#include "app/MainWindow.h"
#include "capture/HotkeyEdit.h"
#include "capture/HotkeyService.h"
#include "config/IniLines.h"
#include "config/LanguageDetection.h"
#include "config/LanguageFile.h"
#include "config/LoginStart.h"
#include "config/SettingsFile.h"
#include "config/UiTexts.h"
#include "config/AboutDialog.h"
#include "exchange/RegularFile.h"
#include "platform/SystemLanguage.h"
#include "ui/Prompts.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A directory of that name counts as missing.
bool IsExistingFile(const QString& path) { return QFileInfo(path).isFile(); }

std::optional<std::string> ReadTextFile(const QString& path, QString* error = nullptr)
{
    std::string bytes;
    const FileResult read = ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxTextFileBytes, bytes);
    if (!read.ok()) {
        if (error)
            *error = Q(FileFaultText(read));
        return std::nullopt;
    }
    return DecodeTextFileBytes(bytes);
}

bool WriteTextFile(const QString& path, const std::string& text, QString* error)
{
    const FileResult written = WriteRegularFile(QFile::encodeName(path).toStdString(), text);
    if (!written.ok())
        *error = Q(FileFaultText(written));
    return written.ok();
}

// Installed, the settings folder under ~/.config is made when first needed.
void PrepareSettingsFolder(const QString& path)
{
    if (AppSettings().Mode == SettingsMode::Installed)
        QDir().mkpath(QFileInfo(path).path());
}

// The session starts this program with the settings file it uses now.
LoginStart LoginStartEntry()
{
    QStringList command{QCoreApplication::applicationFilePath()};
    if (AppSettings().Mode == SettingsMode::ConfigFile)
        command << "--config" << Q(AppSettings().IniFilePath);
    return LoginStart(LoginStart::userAutostartDir(), command);
}

// Why the last default file could not be written, for the start-up warning.
QString& CreateIniFileError()
{
    static QString error;
    return error;
}

} // namespace

void MainWindow::CreateIniFile(const QString& path)
{
    CreateIniFileError().clear();
    PrepareSettingsFolder(path);
    WriteTextFile(path, DefaultSettingsText(), &CreateIniFileError());
}

void MainWindow::OpenIniFile(const QString& path)
{
    TAppSettings& s = AppSettings();
    QString error;
    if (!IsExistingFile(path))
        CreateIniFile(path);

    std::optional<std::string> text = IsExistingFile(path) ? ReadTextFile(path, &error) : std::nullopt;
    if (!text) {
        if (error.isEmpty())
            error = CreateIniFileError();
        // No language file is loaded yet, so this one text is built in.
        prompts_.message(mkWarning, QStringLiteral("The settings file \"%1\" cannot be used (%2). "
                                                 "Huebird Lite starts with the default settings.")
                                      .arg(path, error));
        text = DefaultSettingsText();
    }

    const TSettingsValues values = ReadSettingsText(*text);
    if (values.RunCount)
        RunCount = *values.RunCount;
    if (values.LanguageCode)
        s.LanguageCode = *values.LanguageCode;
    if (values.ShowNewVersion)
        ShowNewVersion = *values.ShowNewVersion;
    ScreenCastToken = values.ScreenCastToken.value_or(std::string());
    if (values.FormatIndex) {
        const int index = *values.FormatIndex;
        NotationBox->setCurrentIndex(index >= 0 && index < NotationBox->count() ? index : -1);
    }
    // A hotkey the hotkey dialog would refuse (a plain key is grabbed from
    // every program), or none at all, gives way to the default; the start says so.
    TShortCut shortcut = ShortcutFromName(values.HotKeyText.value_or(std::string()));
    refusedHotKeyText_.reset();
    if (!HotkeyEdit::isValidCombination(shortcut)) {
        refusedHotKeyText_ = values.HotKeyText.value_or(std::string()).substr(0, 64);
        shortcut = ShortcutFromName(kDefaultHotKeyText);
    }
    hotkeys_->setShortcut(shortcut);

    if (RunCount == 0)
        s.LanguageCode = GetUserLanguageCode(GetUserDefaultLangID());
    s.LanguageFilePath = LanguageFilePathFor(s.DataDir, s.LanguageCode);
    if (!IsExistingFile(Q(s.LanguageFilePath)))
        s.LanguageFilePath = LanguageFilePathFor(s.DataDir, "en");
    s.HelpFilePath = HelpFilePathFor(s.DataDir, s.LanguageCode);
    if (!IsExistingFile(Q(s.HelpFilePath)))
        s.HelpFilePath = HelpFilePathFor(s.DataDir, "en");
    RunCount = NextRunCount(RunCount);
}

void MainWindow::SaveIniFile(const QString& path)
{
    TSavedSettings saved;
    saved.LanguageCode = AppSettings().LanguageCode;
    saved.RunCount = RunCount;
    saved.ShowNewVersion = ShowNewVersion;
    saved.FormatIndex = NotationBox->currentIndex();
    saved.HotKeyText = ShortcutName(MenuShortCut(PopupCaptureColor));
    saved.ScreenCastToken = ScreenCastToken;
    QString error;
    PrepareSettingsFolder(path);
    if (!WriteTextFile(path, SettingsFileText(saved), &error))
        prompts_.message(mkError, QStringLiteral("The settings could not be saved to \"%1\": %2")
                                    .arg(path, error));
}

void MainWindow::OpenLanguageFile(const QString& path)
{
    if (!IsExistingFile(path))
        return;
    const std::optional<std::string> text = ReadTextFile(path);
    if (!text)
        return;
    const std::pair<std::string_view, QMenu*> menus[] = {
        {"MenuFile", MenuFile}, {"MenuEdit", MenuEdit}, {"MenuOptions", MenuOptions}, {"MenuHelp", MenuHelp}};
    const std::pair<std::string_view, QAction*> items[] = {
        {"MenuOpenColorList", MenuOpenColorList}, {"MenuSaveColorList", MenuSaveColorList},
        {"MenuExportColorList", MenuExportColorList},
        {"MenuClose", MenuClose}, {"MenuCopyColorList", MenuCopyColorList},
        {"MenuClearColorList", MenuClearColorList}, {"MenuCut", MenuCut}, {"MenuCopy", MenuCopy},
        {"MenuPaste", MenuPaste}, {"MenuColorListManaging", MenuColorListManaging},
        {"MenuPick", MenuPick}, {"MenuHotkey", MenuHotkey}, {"MenuLanguage", MenuLanguage}, {"MenuStartAtLogin", MenuStartAtLogin},
        {"MenuHelpIndex", MenuHelpIndex},
        {"MenuAbout", MenuAbout}, {"MenuWebsite", MenuWebsite}, {"MenuSwatches", MenuSwatches},
        {"MenuCaptureColor", PopupCaptureColor}, {"PopupCopyColorList", PopupCopyColorList},
        {"PopUpDeleteColor", PopupDeleteColor}, {"PopUpClearColorList", PopupClearColorList},
        {"PopupCut", PopupCut}, {"PopupCopy", PopupCopy}, {"PopupPaste", PopupPaste}};
    ApplyLanguageText(*text, AppSettings(), [&](std::string_view key, const std::string& caption) {
        for (const auto& [name, menu] : menus)
            if (name == key)
                SetMenuCaption(menu, Q(caption));
        for (const auto& [name, item] : items)
            if (name == key)
                SetMenuCaption(item, Q(caption));
    });
}

void MainWindow::ButtonLanguageClick()
{
    TAppSettings& s = AppSettings();
    const QString chosen = prompts_.languageFile(this, Q(s.DataDir) + "language" + QChar(PathSeparator));
    if (chosen.isEmpty())
        return;
    s.LanguageFilePath = chosen.toStdString();
    OpenLanguageFile(chosen);
    ContrastStyleChanged();
    s.LanguageCode = LanguageCodeFromFileName(QFileInfo(chosen).fileName().toStdString());
    s.HelpFilePath = HelpFilePathFor(s.DataDir, s.LanguageCode);
}

void MainWindow::RouteHelpRequests()
{
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName("HelpRequest");
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { HelpChm(); });
}

void MainWindow::CallHelpHtml()
{
    const QString page = Q(AppSettings().HelpFilePath);
    if (!IsExistingFile(page)) {
        prompts_.message(mkInformation, Q(UiTexts().SHelpNotFound));
        return;
    }
    prompts_.openUrl(QUrl::fromLocalFile(page));
}

void MainWindow::MenuHelpIndexClick() { CallHelpHtml(); }

bool MainWindow::HelpChm()
{
    CallHelpHtml();
    return true;
}

void MainWindow::MenuWebsiteClick()
{
    prompts_.openUrl(QUrl(Q(AppSettings().WebSiteUrl)));
}

void MainWindow::ButtonAboutClick()
{
    AboutDialog about(prompts_, this);
    prompts_.runDialog(about);
}

void MainWindow::ShowStartAtLogin() { MenuStartAtLogin->setChecked(LoginStartEntry().isEnabled()); }

void MainWindow::MenuStartAtLoginClick()
{
    QString error;
    if (!LoginStartEntry().setEnabled(MenuStartAtLogin->isChecked(), &error))
        prompts_.message(mkError, Q(FillFormatText(UiTexts().SLoginStartFailed, {error.toStdString()})));
    ShowStartAtLogin();
}
