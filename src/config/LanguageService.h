#pragma once
// The language the user meets: at start the settings' language (on a first
// run the user's desktop language), the Options menu's choice of a language file,
// and the help page of the language in use (Help Index, F1 anywhere in the
// window).
#include <QLocale>
#include <QObject>
#include <string>

class Prompts;
class QWidget;
class Translations;

class LanguageService : public QObject {
    Q_OBJECT
public:
    // Questions and the F1 key belong to window; userLanguage is the language
    // of the user's desktop.
    LanguageService(Translations& translations, Prompts& prompts, const QLocale& userLanguage, QWidget* window);

    // settingsCode: the language the settings keep.
    void start(const std::string& settingsCode, bool firstRun);
    // Offers the language folder and takes the file chosen.
    void choose();
    // Opens the help page, or says that it is missing.
    void showHelp();

private:
    Translations& translations_;
    Prompts& prompts_;
    QLocale userLanguage_;
    QWidget* window_;
};
