#include "config/Translations.h"

#include "config/LanguageFile.h"
#include "config/TextFile.h"

Translations::Translations(QObject* parent) : QObject(parent), texts_(EnglishUiTexts())
{
    setObjectName("Translations");
}

QString Translations::caption(std::string_view key) const
{
    const auto found = captions_.find(key);
    return found == captions_.end() ? QString() : found->second;
}

bool Translations::load(const QString& path, TAppSettings& settings)
{
    if (!IsExistingFile(path))
        return false;
    const std::optional<std::string> text = ReadTextFile(path);
    if (!text)
        return false;
    ApplyLanguageText(*text, settings, texts_, [this](std::string_view key, const std::string& caption) {
        captions_[std::string(key)] = QString::fromStdString(caption);
    });
    UiTexts() = texts_;
    emit changed();
    return true;
}

void Translations::setTexts(const TUiTexts& texts)
{
    texts_ = texts;
    UiTexts() = texts_;
    emit changed();
}
