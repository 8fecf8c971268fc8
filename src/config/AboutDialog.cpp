#include "config/AboutDialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "core/config/MessageText.h"
#include "core/config/ProgramInfo.h"
#include "config/Translations.h"
#include "ui/Prompts.h"
#include "ui/QtImages.h"
#include "ui/PictureView.h"
#include "ui/WidgetHelpers.h"

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

PictureView* AddPicture(QWidget* parent, const char* name, QRect geometry, const QImage& image)
{
    auto* picture = new PictureView(parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    picture->setPicture(image, true);
    return picture;
}
} // namespace

AboutDialog::AboutDialog(Prompts& prompts, const Translations& translations, SettingsMode mode,
                         QString settingsFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      prompts_(prompts), translations_(translations), mode_(mode), settingsFilePath_(std::move(settingsFile))
{
    setObjectName("AboutDialog");
    setFixedSize(kClientWidth, kClientHeight);

    AddPicture(this, "Background", QRect(0, 0, kClientWidth, kClientHeight), LoadJpegResource(":/images/about.jpg"));
    const QImage logo = LoadJpegResource(":/images/logo.jpg");
    AddPicture(this, "Logo", QRect(8, 8, 128, 128), logo);
    setWindowIcon(QIcon(QPixmap::fromImage(logo)));

    name_ = AddLabel(this, "LabelAppName", QRect(144, 24, 180, 19));
    QFont nameFont;
    nameFont.setFamilies({"Times New Roman", "Liberation Serif", "DejaVu Serif"});
    nameFont.setStyleHint(QFont::Serif);
    nameFont.setPixelSize(16);
    nameFont.setBold(true);
    name_->setFont(nameFont);

    version_ = AddLabel(this, "LabelAppVersion", QRect(144, 40, 180, 13));

    QLabel* maker = AddLabel(this, "LabelMaker", QRect(144, 56, 180, 13));
    maker->setText("by Ondrel Team");
    QFont italic = maker->font();
    italic.setItalic(true);
    maker->setFont(italic);

    website_ = AddLabel(this, "LabelWebsite", QRect(144, 80, 180, 13));
    QFont underlined = website_->font();
    underlined.setUnderline(true);
    website_->setFont(underlined);
    QPalette blue = website_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    website_->setPalette(blue);
    website_->setCursor(Qt::PointingHandCursor);
    website_->installEventFilter(this);

    settingsFile_ = AddLabel(this, "LabelSettings", QRect(144, 95, 180, 13));

    close_ = new QPushButton(this);
    close_->setObjectName("ButtonClose");
    close_->setGeometry(176, 110, 113, 25);
    close_->setIcon(MenuIcon("MenuClose"));
    close_->setDefault(true);
    close_->setFocus();
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

void AboutDialog::showTexts()
{
    setWindowTitle(QString::fromStdString(translations_.text("SFormAboutCaption")));
    name_->setText(QString::fromLatin1(kProgramName));
    version_->setText(QStringLiteral("v.") + QLatin1String(kProgramFileVersion));
    website_->setText(QString::fromLatin1(kWebSiteUrl));
    const std::string& format = mode_ == SettingsMode::Portable    ? translations_.text("SAboutPortable")
                                : mode_ == SettingsMode::Installed ? translations_.text("SAboutInstalled")
                                                                   : translations_.text("SAboutConfigFile");
    const QString where = QString::fromStdString(FillFormatText(format, {settingsFilePath_.toStdString()}));
    settingsFile_->setText(settingsFile_->fontMetrics().elidedText(where, Qt::ElideMiddle, settingsFile_->width()));
    settingsFile_->setToolTip(settingsFilePath_);
    close_->setText(QString::fromStdString(translations_.text("SClose")));
}

void AboutDialog::showEvent(QShowEvent* event)
{
    showTexts();
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == website_ && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        prompts_.openUrl(QUrl(QString::fromLatin1(kWebSiteUrl)));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
