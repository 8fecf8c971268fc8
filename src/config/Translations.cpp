#include "config/Translations.h"

#include <QFileInfo>

#include "core/config/LanguageDetection.h"
#include "config/TextFile.h"

Translations::Translations(std::string dataDir, char decimalSeparator, QObject* parent)
    : QObject(parent), dataDir_(std::move(dataDir)), decimalSeparator_(decimalSeparator)
{
    setObjectName("Translations");
    language_.languageFile = LanguageFilePathFor(dataDir_, language_.code);
    language_.helpPage = HelpFilePathFor(dataDir_, language_.code);
}

QString Translations::caption(std::string_view key) const
{
    return QString::fromStdString(texts_.caption(key));
}

QString Translations::languageFolder() const { return QString::fromStdString(dataDir_) + "language/"; }

void Translations::useLanguage(const std::string& code)
{
    language_.code = code;
    language_.languageFile = LanguageFilePathFor(dataDir_, code);
    if (!IsExistingFile(QString::fromStdString(language_.languageFile)))
        language_.languageFile = LanguageFilePathFor(dataDir_, "en");
    language_.helpPage = HelpFilePathFor(dataDir_, code);
    if (!IsExistingFile(QString::fromStdString(language_.helpPage)))
        language_.helpPage = HelpFilePathFor(dataDir_, "en");
    load(QString::fromStdString(language_.languageFile));
}

bool Translations::useLanguageFile(const QString& path)
{
    language_.languageFile = path.toStdString();
    const bool loaded = load(path);
    language_.code = LanguageCodeFromFileName(QFileInfo(path).fileName().toStdString());
    language_.helpPage = HelpFilePathFor(dataDir_, language_.code);
    return loaded;
}

bool Translations::load(const QString& path)
{
    if (!IsExistingFile(path))
        return false;
    const std::optional<std::string> text = ReadTextFile(path);
    if (!text)
        return false;
    ApplyLanguageText(*text, dataDir_, language_, texts_);
    emit changed();
    return true;
}
