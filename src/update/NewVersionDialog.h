#pragma once
// Offers the download page of a newer version; its check box is the user's
// way to switch the update check off.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class Prompts;
struct Settings;
class Translations;

class NewVersionDialog : public QDialog {
    Q_OBJECT
public:
    // The download page opens through the prompts; every way of closing
    // stores the check box in the settings.
    NewVersionDialog(Prompts& prompts, Settings& settings, const Translations& translations,
                     QWidget* parent = nullptr);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showTexts();
    void openDownloadPage();

    Prompts& prompts_;
    Settings& settings_;
    const Translations& translations_;
    QLabel* lines_[3] = {};
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
    QCheckBox* dontShowAgain_ = nullptr;
};
