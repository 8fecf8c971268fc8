#pragma once
// The About dialog: the program's name, file version, maker line, web address,
// and where the settings are kept.
#include <QDialog>
#include <QString>

#include "core/config/SettingsLocation.h"

class QLabel;
class QPushButton;
class Prompts;
class Translations;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // Tells where the settings are kept (mode, settingsFile); the web address
    // opens through the prompts.
    AboutDialog(Prompts& prompts, const Translations& translations, SettingsMode mode, QString settingsFile,
                QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTexts();

    Prompts& prompts_;
    const Translations& translations_;
    const SettingsMode mode_;
    const QString settingsFilePath_;
    QLabel* name_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* website_ = nullptr;
    QLabel* settingsFile_ = nullptr; // the mode and the settings file; the whole path as its tip
    QPushButton* close_ = nullptr;
};
