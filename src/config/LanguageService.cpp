#include "config/LanguageService.h"

#include <QShortcut>
#include <QUrl>
#include <QWidget>

#include "config/LanguageDetection.h"
#include "config/TextFile.h"
#include "config/Translations.h"
#include "config/LanguageDetection.h"
#include "platform/LanguageIds.h"
#include "ui/Prompts.h"

std::string LanguageCodeFor(const QLocale& locale)
{
    const QString language = QLocale::languageToCode(locale.language());
    const QString territory = QLocale::territoryToCode(locale.territory());
    return GetUserLanguageCode(WindowsLanguageId(language.toStdString(), territory.toStdString()));
}

LanguageService::LanguageService(Translations& translations, Prompts& prompts, QLocale userLocale, QWidget* window)
    : QObject(window), translations_(translations), prompts_(prompts), window_(window),
      userLocale_(std::move(userLocale))
{
    setObjectName("LanguageService");
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
    help->setObjectName("HelpRequest");
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &LanguageService::showHelp);
}

void LanguageService::start(const std::string& settingsCode, bool firstRun)
{
    translations_.useLanguage(firstRun ? LanguageCodeFor(userLocale_) : settingsCode);
}

void LanguageService::choose()
{
    const QString chosen = prompts_.languageFile(window_, translations_.languageFolder());
    if (!chosen.isEmpty())
        translations_.useLanguageFile(chosen);
}

void LanguageService::showHelp()
{
    const QString page = QString::fromStdString(translations_.helpPage());
    if (!IsExistingFile(page)) {
        prompts_.message(mkInformation, QString::fromStdString(translations_.texts().SHelpNotFound));
        return;
    }
    prompts_.openUrl(QUrl::fromLocalFile(page));
}
