#pragma once
// The language the user meets: at start the settings' language (the
// desktop's on a first run), the Options menu's choice of a language file,
// and the help page of the language in use (Help Index, F1 anywhere in the
// window).
#include <QLocale>
#include <QObject>
#include <string>

class Prompts;
class QWidget;
class Translations;

// The language a locale speaks, as the code its language file would carry
// ("fr" for fr_CA); "en" for a language the detection table lacks.
std::string LanguageCodeFor(const QLocale& locale);

class LanguageService : public QObject {
    Q_OBJECT
public:
    // Questions and the F1 key belong to window.
    // A first run speaks the language of userLocale.
    LanguageService(Translations& translations, Prompts& prompts, QLocale userLocale, QWidget* window);

    // settingsCode: the language the settings keep.
    void start(const std::string& settingsCode, bool firstRun);
    // Offers the language folder and takes the file chosen.
    void choose();
    // Opens the help page, or says that it is missing.
    void showHelp();

private:
    Translations& translations_;
    Prompts& prompts_;
    QWidget* window_;
    const QLocale userLocale_;
};
