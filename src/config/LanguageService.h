#pragma once
// The language the user meets: at start the settings' language (the
// desktop's on a first run), the Options menu's choice of a language file,
// and the help page of the language in use (Help Index, F1 anywhere in the
// window).
#include <QObject>
#include <string>

class Prompts;
class QWidget;
class Translations;

class LanguageService : public QObject {
    Q_OBJECT
public:
    // Questions and the F1 key belong to window.
    LanguageService(Translations& translations, Prompts& prompts, QWidget* window);

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
};
