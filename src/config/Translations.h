#pragma once
// The texts and menu captions of the language in use: English until a
// language file is loaded; every load tells through changed().
#include <QObject>
#include <QString>
#include <map>
#include <string>
#include <string_view>

#include "config/UiTexts.h"

struct TAppSettings;

class Translations : public QObject {
    Q_OBJECT
public:
    explicit Translations(QObject* parent = nullptr);

    const TUiTexts& texts() const { return texts_; }
    // The caption of a menu item or menu by its language-file key; empty for any other key.
    QString caption(std::string_view key) const;

    // Reads the file and takes its texts; a file that cannot be read changes
    // nothing. The file's language code and help page go to the settings.
    bool load(const QString& path, TAppSettings& settings);
    // Takes these texts in place of the file's, keeping the captions (tests
    // give a window their own words this way).
    void setTexts(const TUiTexts& texts);

signals:
    void changed();

private:
    TUiTexts texts_;
    std::map<std::string, QString, std::less<>> captions_;
};
