#pragma once
// The About dialog: the program's name, file version, maker line, web address,
// and where the settings are kept.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "ui/Widgets.h"

class Prompts;

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    // The web address opens through the prompts.
    explicit TFormAbout(Prompts& prompts, QWidget* parent = nullptr);

    TPicture* Image1 = nullptr; // background
    TPicture* Image2 = nullptr; // logo
    QLabel* LabelAppName = nullptr;
    QLabel* LabelAppVersion = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* LabelWebsite = nullptr;
    QLabel* LabelSettings = nullptr; // the mode and the settings file; the whole path as its tip
    QPushButton* ButtonClose = nullptr;

    void FormShow();
    void LabelWebsiteClick();
    void ButtonCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Prompts& prompts_;
};

