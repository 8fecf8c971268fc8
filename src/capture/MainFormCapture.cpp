// The capture tick, the magnifier and the capture hotkey of the main window.
#include "app/AppSettings.h"
#include "app/reMainForm.h"
#include "color/ColorCodes.h"
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"

int TMainForm::FormatIndex() const
{
    return CBX_FormatCapture->currentIndex();
}

QString TMainForm::ShowCodeColors(const QComboBox* box, TColor color) const
{
    return QString::fromStdString(FormatColorCode(box->currentIndex(), color, DecimalSeparator()));
}

QString TMainForm::ShowCodeColorsCapture(TColor color)
{
    ShSelectedColor->SetBrushColor(color);
    return ShowCodeColors(CBX_FormatCapture, color);
}

QString TMainForm::GetFormatName(const QComboBox* box) const
{
    return QString::fromStdString(std::string(FormatShortName(box->currentIndex())));
}

void TMainForm::Timer1Timer()
{
    Timer1->start(50);
}

QRect TMainForm::PrepareZoomSource(int radius, QPoint cursor)
{
    ImgZoom->Canvas().fill(Qt::white);
    return QRect(cursor.x() - radius, cursor.y() - radius, 2 * radius + 1, 2 * radius + 1);
}

void TMainForm::DrawZoomCross() {}

void TMainForm::RegHotKey(TShortCut, const QString&) {}

void TMainForm::UnregisterCaptureHotKey() {}

void TMainForm::WMHotKey(int id)
{
    if (id == HotKeyId)
        CaptureColor();
}

void TMainForm::ButtonHotKeyClick() {}
