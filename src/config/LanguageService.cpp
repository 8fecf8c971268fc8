#include "config/LanguageService.h"

#include <QShortcut>
#include <QUrl>
#include <QWidget>

#include "core/config/LanguageDetection.h"
#include "config/TextFile.h"
#include "config/Translations.h"
#include "ui/Prompts.h"

LanguageService::LanguageService(Translations& translations, Prompts& prompts, const QLocale& userLanguage,
                                 QWidget* window)
    : QObject(window), translations_(translations), prompts_(prompts), userLanguage_(userLanguage), window_(window)
{
    setObjectName("LanguageService");
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
    help->setObjectName("HelpRequest");
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &LanguageService::showHelp);
}

void LanguageService::start(const std::string& settingsCode, bool firstRun)
{
    if (!firstRun) {
        translations_.useLanguage(settingsCode);
        return;
    }
    const QString language = QLocale::languageToCode(userLanguage_.language());
    const QString territory = QLocale::territoryToCode(userLanguage_.territory());
    translations_.useLanguage(LanguageFileCodeFor(language.toStdString(), territory.toStdString()));
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
        prompts_.message(mkInformation, QString::fromStdString(translations_.text("SHelpNotFound")));
        return;
    }
    prompts_.openUrl(QUrl::fromLocalFile(page));
}
