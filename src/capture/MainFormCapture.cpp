// The capture tick, the magnifier and the capture hotkey of the main window.
#include <algorithm>
#include <cstdint>

#include "config/AppSettings.h"
#include "config/MessageText.h"
#include "app/reMainForm.h"
#include "color/ColorCodes.h"
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"

namespace {

// The picture's surface at the picture's size, even before it is first shown.
QImage& ZoomCanvas(TPicture* picture)
{
    QImage& canvas = picture->Canvas();
    if (canvas.size() != picture->size() || canvas.format() != QImage::Format_RGB32) {
        canvas = QImage(picture->size(), QImage::Format_RGB32);
        canvas.fill(Qt::white);
    }
    return canvas;
}

QRect ZoomSourceRect(int radius, QPoint cursor)
{
    return QRect(cursor.x() - radius, cursor.y() - radius, 2 * radius + 1, 2 * radius + 1);
}

TColor FromRgb(QRgb rgb)
{
    return TColor(qRed(rgb)) | (TColor(qGreen(rgb)) << 8) | (TColor(qBlue(rgb)) << 16);
}

// Each source pixel becomes a block of whole target pixels, without smoothing.
void StretchNearest(const QImage& source, QImage& target)
{
    const int sw = source.width(), sh = source.height(), tw = target.width(), th = target.height();
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0)
        return;
    for (int y = 0; y < th; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y * sh / th));
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < tw; ++x)
            to[x] = from[x * sw / tw];
    }
}

// Lines include their start and exclude their end, clipped to the image.
void HorizontalLine(QImage& image, int x0, int x1, int y, QRgb pen)
{
    if (y < 0 || y >= image.height())
        return;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = std::max(x0, 0); x < std::min(x1, image.width()); ++x)
        line[x] = pen;
}

void VerticalLine(QImage& image, int x, int y0, int y1, QRgb pen)
{
    if (x < 0 || x >= image.width())
        return;
    for (int y = std::max(y0, 0); y < std::min(y1, image.height()); ++y)
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = pen;
}

} // namespace

int TMainForm::FormatIndex() const
{
    return CBX_FormatCapture->currentIndex();
}

QString TMainForm::ShowCodeColors(const QComboBox* box, TColor color) const
{
    const ColorCodeText code = WriteColorCode(box->currentIndex(), color, DecimalSeparator());
    return QString::fromLatin1(code.View().data(), qsizetype(code.View().size()));
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

void TMainForm::SetScreenSampler(std::unique_ptr<IScreenSampler> sampler)
{
    if (sampler)
        screenSampler_ = std::move(sampler);
}

void TMainForm::Timer1Timer()
{
    // Off while working, on again at the end: a slow tick never queues more.
    Timer1->stop();
    const ScreenPointer pointer = screenSampler_->Pointer();
    const QPoint cursor = pointer.pos;
    StatusBar1->SetPanelText(0, QString::fromStdString(FillFormatText(
                                    "[%d,%d]", {std::int64_t(cursor.x()), std::int64_t(cursor.y())})));

    // The magnifier never magnifies itself.
    const QRect noSamplingZone(SHImageZoom->mapToGlobal(QPoint(0, 0)), SHImageZoom->size());
    TColor color;
    if (!pointer.onProgramDesktop || !noSamplingZone.contains(cursor)) {
        screenSampler_->GrabAround(pointer, ZoomRadius, ZoomSource);
        color = FromRgb(ZoomSource.pixel(ZoomRadius, ZoomRadius));
        // A still screen costs no repaint.
        if (!ZoomShowsScreen || ZoomSource != ZoomShown) {
            PrepareZoomSource(ZoomRadius, cursor);
            StretchNearest(ZoomSource, ZoomCanvas(ImgZoom));
            DrawZoomCross();
            ZoomSource.swap(ZoomShown);
            ZoomShowsScreen = true;
        }
    } else {
        ZoomShowsScreen = false;
        ZoomCanvas(ImgZoom).fill(Qt::white);
        DrawZoomCross();
        screenSampler_->GrabAround(pointer, 0, CursorPixel);
        color = FromRgb(CursorPixel.pixel(0, 0));
    }

    const QColor textColor = ToQColor(ContrastTextColor(color));
    if (LabelColor->palette().color(QPalette::WindowText) != textColor) {
        QPalette palette = LabelColor->palette();
        palette.setColor(QPalette::WindowText, textColor);
        LabelColor->setPalette(palette);
    }
    const QString code = ShowCodeColorsCapture(color);
    if (LabelColor->text() != code)
        LabelColor->setText(code);
    ShowContrast(color);

    Timer1->start(50);
}

QRect TMainForm::PrepareZoomSource(int radius, QPoint cursor)
{
    ZoomCanvas(ImgZoom).fill(Qt::white);
    return ZoomSourceRect(radius, cursor);
}

void TMainForm::DrawZoomCross()
{
    QImage& canvas = ZoomCanvas(ImgZoom);
    const QRgb pen = ToQColor(ZoomPenColor).rgb();
    const int w = canvas.width(), h = canvas.height();
    const int c = w / 2;
    // The magnifier is square: both lines of the cross run over its width.
    HorizontalLine(canvas, 0, w, c, pen);
    VerticalLine(canvas, c, 0, w, pen);
    const int x0 = w / 2 - 20, x1 = w / 2 + 20, y0 = h / 2 - 20, y1 = h / 2 + 20;
    HorizontalLine(canvas, x0, x1, y0, pen);
    HorizontalLine(canvas, x0, x1, y1, pen);
    VerticalLine(canvas, x0, y0, y1, pen);
    // One pixel longer, so that the corner (x1, y1) is drawn too.
    VerticalLine(canvas, x1, y0, y1 + 1, pen);
    ImgZoom->update();
}
