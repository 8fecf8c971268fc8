// The capture tick: the magnifier, the swatch and the status bar's readouts.
#include "capture/CaptureController.h"

#include <QLabel>
#include <algorithm>
#include <cstdint>

#include "config/AppSettings.h"
#include "config/MessageText.h"
#include "ui/Widgets.h"
#include "color/ColorCodes.h"
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

CaptureController::CaptureController(std::unique_ptr<IScreenSampler> sampler, const CaptureWidgets& widgets,
                                     QObject* parent)
    : QObject(parent), sampler_(std::move(sampler)), widgets_(widgets)
{
    timer_.setObjectName("CaptureTimer");
    timer_.setSingleShot(true); // the tick re-arms it when its work is done
    connect(&timer_, &QTimer::timeout, this, &CaptureController::tick);
}

CaptureController::~CaptureController() = default;

void CaptureController::start()
{
    timer_.start(kIntervalMs);
}

void CaptureController::stop()
{
    timer_.stop();
}

void CaptureController::setNotation(int index)
{
    notation_ = index;
}

void CaptureController::setSelectedColor(std::optional<TColor> color)
{
    selected_ = color;
}

void CaptureController::setContrastStyle(char decimalSeparator, std::string_view aaLarge, std::string_view fail)
{
    contrast_.SetStyle(decimalSeparator, aaLarge, fail);
}

QImage& CaptureController::magnifierCanvas()
{
    return ZoomCanvas(widgets_.magnifier);
}

void CaptureController::tick()
{
    // Off while working, on again at the end: a slow tick never queues more.
    timer_.stop();
    const ScreenPointer pointer = sampler_->Pointer();
    const QPoint cursor = pointer.pos;
    widgets_.statusBar->SetPanelText(kPositionPanel, QString::fromStdString(FillFormatText(
        "[%d,%d]", {std::int64_t(cursor.x()), std::int64_t(cursor.y())})));

    // The magnifier never magnifies itself.
    const QRect noSamplingZone(widgets_.magnifierFrame->mapToGlobal(QPoint(0, 0)),
                               widgets_.magnifierFrame->size());
    TColor color;
    if (!pointer.onProgramDesktop || !noSamplingZone.contains(cursor)) {
        sampler_->GrabAround(pointer, kRadius, source_);
        color = FromRgb(source_.pixel(kRadius, kRadius));
        // A still screen costs no repaint.
        if (!showsScreen_ || source_ != shown_) {
            QImage& canvas = magnifierCanvas();
            StretchNearest(source_, canvas);
            drawCross(canvas);
            widgets_.magnifier->update();
            source_.swap(shown_);
            showsScreen_ = true;
        }
    } else {
        showsScreen_ = false;
        QImage& canvas = magnifierCanvas();
        canvas.fill(Qt::white);
        drawCross(canvas);
        widgets_.magnifier->update();
        sampler_->GrabAround(pointer, 0, cursorPixel_);
        color = FromRgb(cursorPixel_.pixel(0, 0));
    }

    showColor(color);
    showContrast(color);
    if (lastColor_ != color || lastPosition_ != cursor) {
        lastColor_ = color;
        lastPosition_ = cursor;
        emit sampled(color, cursor);
    }

    timer_.start(kIntervalMs);
}

void CaptureController::showColor(TColor color)
{
    QLabel* label = widgets_.code;
    const QColor textColor = ToQColor(ContrastTextColor(color));
    if (label->palette().color(QPalette::WindowText) != textColor) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, textColor);
        label->setPalette(palette);
    }
    widgets_.swatch->SetBrushColor(color);
    const ColorCodeText code = WriteColorCode(notation_, color, DecimalSeparator());
    const QString text = QString::fromLatin1(code.View().data(), qsizetype(code.View().size()));
    if (label->text() != text)
        label->setText(text);
}

void CaptureController::showContrast(TColor color)
{
    // The text, and so the panel, changes only with the tenth.
    if (contrast_.Update(color, selected_))
        widgets_.statusBar->SetPanelText(kContrastPanel, QString::fromStdString(contrast_.Text()));
}

void CaptureController::drawCross(QImage& canvas)
{
    const QRgb pen = ToQColor(kCrossColor).rgb();
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
}
