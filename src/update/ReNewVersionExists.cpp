#include "update/ReNewVersionExists.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include "config/AppSettings.h"
#include "config/UiTexts.h"
#include "ui/Prompts.h"

TNewVersionExists* NewVersionExists = nullptr;

namespace {
// The outer size of 313 x 172 less a standard resizable frame and title bar.
constexpr int kClientWidth = 297;
constexpr int kClientHeight = 134;

QString FromText(const std::string& text)
{
    return QString::fromStdString(text);
}
} // namespace

TNewVersionExists::TNewVersionExists(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts)
{
    setObjectName("NewVersionExists");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(kClientWidth, kClientHeight);
    setBackgroundRole(QPalette::Midlight);
    setAutoFillBackground(true);

    auto place = [](QWidget* w, const char* name, int x, int y, int width, int height) {
        w->setObjectName(name);
        w->setGeometry(x, y, width, height);
    };

    Image1 = new QLabel(this);
    place(Image1, "Image1", 11, 16, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

    Label1 = new QLabel(this);
    place(Label1, "Label1", 51, 8, 235, 13);
    Label2 = new QLabel(this);
    place(Label2, "Label2", 51, 24, 235, 13);
    Label3 = new QLabel(this);
    place(Label3, "Label3", 51, 40, 235, 13);
    for (QLabel* label : {Label1, Label2, Label3})
        label->setAlignment(Qt::AlignCenter);
    QFont italic = Label2->font();
    italic.setItalic(true);
    Label2->setFont(italic);

    ButtonYes = new QPushButton(this);
    place(ButtonYes, "ButtonYes", 65, 64, 90, 33);
    ButtonYes->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
    connect(ButtonYes, &QPushButton::clicked, this, &TNewVersionExists::ButtonYesClick);

    ButtonNo = new QPushButton(this);
    place(ButtonNo, "ButtonNo", 157, 64, 75, 33);
    ButtonNo->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));
    connect(ButtonNo, &QPushButton::clicked, this, &TNewVersionExists::ButtonNoClick);

    CB_DontShowThisMessage = new QCheckBox(this);
    place(CB_DontShowThisMessage, "CB_DontShowThisMessage", 7, 112, 225, 17);

    setTabOrder(ButtonYes, ButtonNo);
    setTabOrder(ButtonNo, CB_DontShowThisMessage);
}

void TNewVersionExists::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desk = screen->availableGeometry();
            const QRect frame = frameGeometry();
            move(desk.center() - QPoint(frame.width() / 2, frame.height() / 2));
        }
        FormShow();
    }
}

void TNewVersionExists::FormShow()
{
    const TUiTexts& texts = UiTexts();
    setWindowTitle(FromText(texts.SNewVersionCaption));
    Label1->setText(FromText(texts.SNewVersion1));
    Label2->setText(FromText(texts.SNewVersion2));
    Label3->setText(FromText(texts.SNewVersion3));
    CB_DontShowThisMessage->setText(FromText(texts.CB_DontShowThisMessage));
    ButtonYes->setText(FromText(texts.SYes));
    ButtonNo->setText(FromText(texts.SNo));
    CB_DontShowThisMessage->setChecked(!ShowNewVersion);
    ButtonYes->setFocus();
}

void TNewVersionExists::ButtonYesClick()
{
    const TAppSettings& s = AppSettings();
    const QUrl page(QString::fromStdString(s.LanguageCode == "fr" ? s.DownloadPageFr : s.DownloadPageEn));
    prompts_.openUrl(page); // a page that cannot be opened is not reported
    reject();
}

void TNewVersionExists::ButtonNoClick()
{
    reject();
}

void TNewVersionExists::FormClose()
{
    ShowNewVersion = !CB_DontShowThisMessage->isChecked();
}

void TNewVersionExists::done(int result)
{
    FormClose();
    QDialog::done(result);
}
