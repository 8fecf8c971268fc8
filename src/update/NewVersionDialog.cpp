#include "update/NewVersionDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include "core/config/ProgramInfo.h"
#include "core/config/Settings.h"
#include "config/Translations.h"
#include "ui/Prompts.h"
#include "ui/WidgetHelpers.h"

namespace {
// The outer size of 313 x 172 less a standard resizable frame and title bar.
constexpr int kClientWidth = 297;
constexpr int kClientHeight = 134;

QString FromText(const std::string& text)
{
    return QString::fromStdString(text);
}

template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}
} // namespace

NewVersionDialog::NewVersionDialog(Prompts& prompts, Settings& settings, const Translations& translations,
                                   QWidget* parent)
    : QDialog(parent), prompts_(prompts), settings_(settings), translations_(translations)
{
    setObjectName("NewVersionDialog");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(kClientWidth, kClientHeight);
    setBackgroundRole(QPalette::Midlight);
    setAutoFillBackground(true);

    auto* icon = Place(new QLabel(this), "Icon", QRect(11, 16, 32, 32));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

    const char* const lineNames[] = {"Line1", "Line2", "Line3"};
    for (int i = 0; i < 3; ++i) {
        lines_[i] = Place(new QLabel(this), lineNames[i], QRect(51, 8 + 16 * i, 235, 13));
        lines_[i]->setAlignment(Qt::AlignCenter);
    }
    QFont italic = lines_[1]->font();
    italic.setItalic(true);
    lines_[1]->setFont(italic);

    yes_ = Place(new QPushButton(this), "ButtonYes", QRect(65, 64, 90, 33));
    yes_->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
    connect(yes_, &QPushButton::clicked, this, &NewVersionDialog::openDownloadPage);

    no_ = Place(new QPushButton(this), "ButtonNo", QRect(157, 64, 75, 33));
    no_->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);

    dontShowAgain_ = Place(new QCheckBox(this), "DontShowAgain", QRect(7, 112, 225, 17));

    setTabOrder(yes_, no_);
    setTabOrder(no_, dontShowAgain_);
}

void NewVersionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        CentreOnScreen(*this);
        showTexts();
    }
}

void NewVersionDialog::showTexts()
{
    setWindowTitle(FromText(translations_.text("SNewVersionCaption")));
    lines_[0]->setText(FromText(translations_.text("SNewVersion1")));
    lines_[1]->setText(FromText(translations_.text("SNewVersion2")));
    lines_[2]->setText(FromText(translations_.text("SNewVersion3")));
    dontShowAgain_->setText(FromText(translations_.text("CB_DontShowThisMessage")));
    yes_->setText(FromText(translations_.text("SYes")));
    no_->setText(FromText(translations_.text("SNo")));
    dontShowAgain_->setChecked(!settings_.showNewVersion);
    yes_->setFocus();
}

void NewVersionDialog::openDownloadPage()
{
    const QUrl page(QString::fromLatin1(translations_.languageCode() == "fr" ? kDownloadPageFr : kDownloadPageEn));
    prompts_.openUrl(page); // a page that cannot be opened is not reported
    reject();
}

void NewVersionDialog::done(int result)
{
    settings_.showNewVersion = !dontShowAgain_->isChecked();
    QDialog::done(result);
}
