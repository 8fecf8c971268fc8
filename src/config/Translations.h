#pragma once
// The language in use: its code, its texts and menu captions, the file they
// came from and its help page. English until a language file is loaded;
// every load tells through changed().
#include <QObject>
#include <QString>
#include <string>
#include <string_view>

#include "core/config/LanguageFile.h"
#include "core/config/UiTexts.h"

class Translations : public QObject {
    Q_OBJECT
public:
    // dataDir holds language/ and help/; ends with '/'. Numbers in messages
    // are written with the user's decimal separator.
    Translations(std::string dataDir, char decimalSeparator, QObject* parent = nullptr);

    // A text of the language, or its English one ("SHelpNotFound").
    const std::string& text(UiTextKey key) const { return texts_.text(key); }
    char decimalSeparator() const { return decimalSeparator_; }
    // The caption of a menu item or menu by its language-file key; empty for a
    // key the English language file lacks.
    QString caption(std::string_view key) const;

    const std::string& languageCode() const { return language_.code; }
    const std::string& languageFile() const { return language_.languageFile; }
    const std::string& helpPage() const { return language_.helpPage; }
    // Where the language files are offered from.
    QString languageFolder() const;

    // The language with that code, from the data folder: its file and help
    // page, the English ones standing in for those it lacks. The code stays,
    // to be kept in the settings.
    void useLanguage(const std::string& code);
    // A language file chosen by the user: its texts; the language code follows
    // the file's name.
    bool useLanguageFile(const QString& path);

    // Reads the file and takes its texts; a file that cannot be read changes
    // nothing. The file's "FLanguage" moves the language code and the help page.
    bool load(const QString& path);

signals:
    void changed();

private:
    std::string dataDir_;
    char decimalSeparator_ = '.';
    LanguageInUse language_;
    UiTexts texts_;
};
