#pragma once
// The dialog that offers the download page of a newer version; its check box
// is the user's way to switch the update check off.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

class Prompts;

class TNewVersionExists : public QDialog {
    Q_OBJECT
public:
    // The download page opens through the prompts.
    explicit TNewVersionExists(Prompts& prompts, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* ButtonYes = nullptr;
    QPushButton* ButtonNo = nullptr;
    QCheckBox* CB_DontShowThisMessage = nullptr;

    void FormShow();
    void FormClose();
    void ButtonYesClick();
    void ButtonNoClick();

    // Every way of closing (the buttons, Esc, the title bar) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompts& prompts_;
};

extern TNewVersionExists* NewVersionExists;

