// Settings file, language files, help, web site and About of the main window.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QShortcut>
#include <optional>

#include "app/AppSettings.h"
#include "app/Messages.h"
#include "app/reMainForm.h"
#include "capture/reFormHotKey.h"
#include "config/DesktopHooks.h"
#include "config/IniLines.h"
#include "config/LanguageDetection.h"
#include "config/LanguageFile.h"
#include "config/SettingsFile.h"
#include "config/UiTexts.h"
#include "config/reFormAbout.h"
#include "platform/SystemLanguage.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A directory of that name counts as missing.
bool IsExistingFile(const QString& path) { return QFileInfo(path).isFile(); }

std::optional<std::string> ReadTextFile(const QString& path, QString* error = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return DecodeTextFileBytes(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

// Through a temporary file renamed over the old one, so a failed write leaves
// the old file as it was.
bool WriteTextFile(const QString& path, const std::string& text, QString* error)
{
    QSaveFile file(path);
    // Unbuffered: commit() does not see a write that fails while its buffer is
    // flushed (a full disk), and would rename the short file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// Why the last default file could not be written, for the start-up warning.
QString& CreateIniFileError()
{
    static QString error;
    return error;
}

} // namespace

void TMainForm::CreateIniFile(const QString& path)
{
    CreateIniFileError().clear();
    WriteTextFile(path, DefaultSettingsText(), &CreateIniFileError());
}

void TMainForm::OpenIniFile(const QString& path)
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
        ShowMessageDlg(mkWarning, QStringLiteral("The settings file \"%1\" cannot be used (%2). "
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
    if (values.FormatIndex) {
        const int index = *values.FormatIndex;
        CBX_FormatCapture->setCurrentIndex(index >= 0 && index < CBX_FormatCapture->count() ? index : -1);
    }
    if (values.HotKeyText) {
        const TShortCut shortcut = ShortcutFromName(*values.HotKeyText);
        if (FormHotKey)
            FormHotKey->HK_CAPTURE->SetShortCut(shortcut);
        SetMenuShortCut(PopupCaptureColor, shortcut);
    }

    if (RunCount == 0)
        s.LanguageCode = GetUserLanguageCode(GetUserDefaultLangID());
    s.LanguageFilePath = LanguageFilePathFor(s.AppDir, s.LanguageCode);
    if (!IsExistingFile(Q(s.LanguageFilePath)))
        s.LanguageFilePath = LanguageFilePathFor(s.AppDir, "en");
    s.HelpFilePath = HelpFilePathFor(s.AppDir, s.LanguageCode);
    if (!IsExistingFile(Q(s.HelpFilePath)))
        s.HelpFilePath = HelpFilePathFor(s.AppDir, "en");
    RunCount = NextRunCount(RunCount);
}

void TMainForm::SaveIniFile(const QString& path)
{
    TSavedSettings saved;
    saved.LanguageCode = AppSettings().LanguageCode;
    saved.RunCount = RunCount;
    saved.ShowNewVersion = ShowNewVersion;
    saved.FormatIndex = CBX_FormatCapture->currentIndex();
    saved.HotKeyText = ShortcutName(MenuShortCut(PopupCaptureColor));
    QString error;
    if (!WriteTextFile(path, SettingsFileText(saved), &error))
        ShowMessageDlg(mkError, QStringLiteral("The settings could not be saved to \"%1\": %2")
                                    .arg(path, error));
}

void TMainForm::OpenLanguageFile(const QString& path)
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
        {"MenuHotkey", MenuHotkey}, {"MenuLanguage", MenuLanguage}, {"MenuHelpIndex", MenuHelpIndex},
        {"MenuAbout", MenuAbout}, {"MenuWebsite", MenuWebsite}, {"MenuSwatches", MenuSwatches},
        {"MenuCaptureColor", PopupCaptureColor}, {"PopupCopyColorList", PopupCopyColorList},
        {"PopUpDeleteColor", PopUpDeleteColor}, {"PopUpClearColorList", PopUpClearColorList},
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

void TMainForm::ButtonLanguageClick()
{
    TAppSettings& s = AppSettings();
    const QString chosen = ChooseLanguageFile(this, Q(s.AppDir) + "language" + QChar(PathSeparator));
    if (chosen.isEmpty())
        return;
    s.LanguageFilePath = chosen.toStdString();
    OpenLanguageFile(chosen);
    ContrastStyleChanged();
    s.LanguageCode = LanguageCodeFromFileName(QFileInfo(chosen).fileName().toStdString());
    s.HelpFilePath = HelpFilePathFor(s.AppDir, s.LanguageCode);
}

void TMainForm::RouteHelpRequests()
{
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName("HelpRequest");
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { HelpChm(); });
}

void TMainForm::CallHelpHtml()
{
    const QString page = Q(AppSettings().HelpFilePath);
    if (!IsExistingFile(page)) {
        ShowMessageDlg(mkInformation, Q(UiTexts().SHelpNotFound));
        return;
    }
    ShellOpen(QUrl::fromLocalFile(page));
}

void TMainForm::MenuHelpIndexClick() { CallHelpHtml(); }

bool TMainForm::HelpChm()
{
    CallHelpHtml();
    return true;
}

void TMainForm::MenuWebsiteClick()
{
    ShellOpen(QUrl(Q(AppSettings().WebSiteUrl)));
}

void TMainForm::ButtonAboutClick()
{
    TFormAbout about(this);
    ShowAboutModal(about);
}
