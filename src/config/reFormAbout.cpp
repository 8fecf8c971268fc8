#include "config/reFormAbout.h"

#include <QMouseEvent>

#include "config/AppSettings.h"
#include "config/MessageText.h"
#include "ui/Prompts.h"
#include "ui/QtImages.h"
#include "config/UiTexts.h"

namespace {
constexpr int kClientWidth = 332;
constexpr int kClientHeight = 144;

QLabel* AddLabel(QWidget* parent, const char* name, QRect geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}
} // namespace

TFormAbout::TFormAbout(Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      prompts_(prompts)
{
    setObjectName("FormAbout");
    setFixedSize(kClientWidth, kClientHeight);

    Image1 = new TPicture(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, kClientWidth, kClientHeight);
    Image1->SetPicture(LoadJpegResource(":/images/about.jpg"), true);

    const QImage logo = LoadJpegResource(":/images/logo.jpg");
    Image2 = new TPicture(this);
    Image2->setObjectName("Image2");
    Image2->setGeometry(8, 8, 128, 128);
    Image2->SetPicture(logo, true);
    setWindowIcon(QIcon(QPixmap::fromImage(logo)));

    LabelAppName = AddLabel(this, "LabelAppName", QRect(144, 24, 180, 19));
    QFont nameFont;
    nameFont.setFamilies({"Times New Roman", "Liberation Serif", "DejaVu Serif"});
    nameFont.setStyleHint(QFont::Serif);
    nameFont.setPixelSize(16);
    nameFont.setBold(true);
    LabelAppName->setFont(nameFont);

    LabelAppVersion = AddLabel(this, "LabelAppVersion", QRect(144, 40, 180, 13));

    Label1 = AddLabel(this, "Label1", QRect(144, 56, 180, 13));
    Label1->setText("by Ondrel Team");
    QFont italic = Label1->font();
    italic.setItalic(true);
    Label1->setFont(italic);

    LabelWebsite = AddLabel(this, "LabelWebsite", QRect(144, 80, 180, 13));
    QFont underlined = LabelWebsite->font();
    underlined.setUnderline(true);
    LabelWebsite->setFont(underlined);
    QPalette blue = LabelWebsite->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    LabelWebsite->setPalette(blue);
    LabelWebsite->setCursor(Qt::PointingHandCursor);
    LabelWebsite->installEventFilter(this);

    LabelSettings = AddLabel(this, "LabelSettings", QRect(144, 95, 180, 13));

    ButtonClose = new QPushButton(this);
    ButtonClose->setObjectName("ButtonClose");
    ButtonClose->setGeometry(176, 110, 113, 25);
    ButtonClose->setIcon(MenuIcon("MenuClose"));
    ButtonClose->setDefault(true);
    ButtonClose->setFocus();
    connect(ButtonClose, &QPushButton::clicked, this, &TFormAbout::ButtonCloseClick);
}

void TFormAbout::FormShow()
{
    const TAppSettings& s = AppSettings();
    setWindowTitle(QString::fromStdString(UiTexts().SFormAboutCaption));
    LabelAppName->setText(QString::fromStdString(s.AppName));
    LabelAppVersion->setText(QString::fromStdString("v." + s.AppFileVersion));
    LabelWebsite->setText(QString::fromStdString(s.WebSiteUrl));
    const std::string& format = s.Mode == SettingsMode::Portable    ? UiTexts().SAboutPortable
                                : s.Mode == SettingsMode::Installed ? UiTexts().SAboutInstalled
                                                                    : UiTexts().SAboutConfigFile;
    const QString where = QString::fromStdString(FillFormatText(format, {s.IniFilePath}));
    LabelSettings->setText(LabelSettings->fontMetrics().elidedText(where, Qt::ElideMiddle, LabelSettings->width()));
    LabelSettings->setToolTip(QString::fromStdString(s.IniFilePath));
    ButtonClose->setText(QString::fromStdString(UiTexts().SClose));
}

void TFormAbout::LabelWebsiteClick()
{
    prompts_.openUrl(QUrl(QString::fromStdString(AppSettings().WebSiteUrl)));
}

void TFormAbout::ButtonCloseClick()
{
    close();
}

void TFormAbout::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LabelWebsite && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        LabelWebsiteClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
