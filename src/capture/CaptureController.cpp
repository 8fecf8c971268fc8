// The capture tick: the magnifier, the swatch and the status bar's readouts.
#include "capture/CaptureController.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

#include "capture/CentreSample.h"
#include "capture/TickPresenters.h"
#include "core/config/MessageText.h"
#include "ui/ColorSwatch.h"
#include "ui/PictureView.h"
#include "ui/WidgetHelpers.h"
#include "core/color/AreaAverage.h"
#include "core/color/ColorCodes.h"
#include "platform/ScreenSampler.h"

namespace {

Rgb FromRgb(QRgb rgb)
{
    return {std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb))};
}

// Each source pixel becomes a block of whole target pixels, without smoothing:
// target pixel x shows source pixel x * sw / tw.
void StretchNearest(const QImage& source, QImage& target)
{
    const int sw = source.width(), sh = source.height(), tw = target.width(), th = target.height();
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0)
        return;
    const std::size_t rowBytes = std::size_t(tw) * sizeof(QRgb);
    int lastRow = -1;
    for (int y = 0; y < th; ++y) {
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        const int row = y * sh / th;
        // A source row fills several target rows alike.
        if (row == lastRow) {
            std::memcpy(to, target.constScanLine(y - 1), rowBytes);
            continue;
        }
        lastRow = row;
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row));
        int column = 0, rest = 0; // x * sw == column * tw + rest
        for (int x = 0; x < tw; ++x) {
            to[x] = from[column];
            for (rest += sw; rest >= tw; rest -= tw)
                ++column;
        }
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

CaptureController::CaptureController(std::unique_ptr<IScreenSampler> sampler, const TickWidgets& widgets,
                                     QWidget* magnifierFrame, char decimalSeparator, QObject* parent)
    : QObject(parent), sampler_(std::move(sampler)), widgets_(widgets), magnifierFrame_(magnifierFrame),
      decimalSeparator_(decimalSeparator)
{
    timer_.setObjectName("CaptureTimer");
    timer_.setSingleShot(true); // the tick re-arms it when its work is done
    connect(&timer_, &QTimer::timeout, this, [this] {
        tick();
        moveOffThread();
    });
    frame_.magnifier = QImage(widgets_.magnifier->size(), QImage::Format_RGB32);
    frame_.magnifier.fill(Qt::white);
    magnifierFrame_->window()->installEventFilter(this);
}

CaptureController::~CaptureController()
{
    stop();
}

void CaptureController::start()
{
    if (offThread_)
        return;
    timer_.start(kIntervalMs);
    moveOffThread();
}

void CaptureController::stop()
{
    timer_.stop();
    if (offThread_)
        presenter_->stopTicks();
    offThread_ = false;
}

void CaptureController::moveOffThread()
{
    // The presenter comes with the first frame shown.
    if (offThread_ || !timer_.isActive() || !presenter_)
        return;
    {
        const std::lock_guard lock(mutex_);
        zone_ = noSamplingZone();
    }
    offThread_ = presenter_->runTicks(
        [this] {
            const std::lock_guard lock(mutex_);
            sample(zone_);
        },
        kIntervalMs);
    if (offThread_)
        timer_.stop();
}

bool CaptureController::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide: {
        const std::lock_guard lock(mutex_);
        zone_ = noSamplingZone();
        if (presenter_)
            presenter_->place();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QRect CaptureController::noSamplingZone() const
{
    return QRect(magnifierFrame_->mapToGlobal(QPoint(0, 0)), magnifierFrame_->size());
}

void CaptureController::setNotation(int index)
{
    const std::lock_guard lock(mutex_);
    if (notation_ != index)
        staleParts_ |= CaptureFrame::Swatch;
    notation_ = index;
}

void CaptureController::setSelectedColor(std::optional<Rgb> color)
{
    const std::lock_guard lock(mutex_);
    selected_ = color;
    contrastStale_ = true;
}

void CaptureController::setContrastStyle(std::string_view aaLarge, std::string_view fail)
{
    const std::lock_guard lock(mutex_);
    contrast_.SetStyle(decimalSeparator_, aaLarge, fail);
    contrastStale_ = true;
}

void CaptureController::invalidateSwatch()
{
    const std::lock_guard lock(mutex_);
    staleParts_ |= CaptureFrame::Swatch;
}

void CaptureController::setSampleSide(int side)
{
    const std::lock_guard lock(mutex_);
    side = ValidSampleSide(side);
    if (side == sampleSide_)
        return;
    sampleSide_ = side;
    // A still picture (pick mode) gets no next tick: shown again at once.
    if (magnified_ == Magnified::Screen) {
        renderMagnifier(nullptr);
        show(shownColor(), frame_.position, CaptureFrame::Magnifier);
    }
}

void CaptureController::tick()
{
    // Off while working, on again at the end: a slow tick never queues more.
    timer_.stop();
    {
        const std::lock_guard lock(mutex_);
        sample(noSamplingZone());
    }
    timer_.start(kIntervalMs);
}

void CaptureController::sample(const QRect& noSamplingZone)
{
    const ScreenPointer pointer = sampler_->Pointer();
    // The magnifier never magnifies itself.
    if (!pointer.onProgramDesktop || !noSamplingZone.contains(pointer.pos)) {
        sampler_->GrabAround(pointer, kRadius, source_);
        const int changed = magnifySource();
        show(shownColor(), pointer.pos, changed);
    } else {
        int changed = 0;
        if (magnified_ != Magnified::Blank) {
            const QColor white(Qt::white);
            renderMagnifier(&white);
            magnified_ = Magnified::Blank;
            changed |= CaptureFrame::Magnifier;
        }
        sampler_->GrabAround(pointer, 0, cursorPixel_);
        show(FromRgb(cursorPixel_.pixel(0, 0)), pointer.pos, changed);
    }
}

void CaptureController::showStill(const ScreenPointer& pointer, const QImage& square)
{
    if (square.width() != 2 * kRadius + 1 || square.height() != 2 * kRadius + 1)
        return;
    const std::lock_guard lock(mutex_);
    source_ = square.convertToFormat(QImage::Format_RGB32);
    const int changed = magnifySource();
    show(shownColor(), pointer.pos, changed);
}

void CaptureController::showColorOnly(Rgb color)
{
    const std::lock_guard lock(mutex_);
    const QColor fill = ToQColor(color);
    renderMagnifier(&fill);
    magnified_ = Magnified::Nothing;
    show(color, frame_.position, CaptureFrame::Magnifier);
}

Rgb CaptureController::color() const
{
    const std::lock_guard lock(mutex_);
    return sampledOnce_ ? frame_.color : widgets_.swatch->brushColor();
}

int CaptureController::magnifySource()
{
    // A still screen costs no repaint.
    if (magnified_ == Magnified::Screen && source_ == shown_)
        return 0;
    source_.swap(shown_);
    renderMagnifier(nullptr);
    magnified_ = Magnified::Screen;
    return CaptureFrame::Magnifier;
}

void CaptureController::renderMagnifier(const QColor* fill)
{
    QImage& canvas = frame_.magnifier;
    if (fill)
        canvas.fill(*fill);
    else
        StretchNearest(shown_, canvas);
    drawCross(canvas);
    if (!fill && sampleSide_ > 1) {
        // Framed just outside the pixels that are averaged.
        const QRect area = sampleArea(canvas.size(), sampleSide_).adjusted(-1, -1, 1, 1);
        const QRgb pen = ToQColor(kCrossColor).rgb();
        HorizontalLine(canvas, area.left(), area.right() + 1, area.top(), pen);
        HorizontalLine(canvas, area.left(), area.right() + 1, area.bottom(), pen);
        VerticalLine(canvas, area.left(), area.top(), area.bottom() + 1, pen);
        VerticalLine(canvas, area.right(), area.top(), area.bottom() + 1, pen);
    }
}

QRect CaptureController::sampleArea(QSize canvas, int side)
{
    // As StretchNearest shows them: target x shows source x * source / target.
    constexpr int source = 2 * kRadius + 1;
    const int first = kRadius - side / 2, last = kRadius + side / 2;
    const auto span = [&](int target) {
        return std::pair((first * target + source - 1) / source, ((last + 1) * target - 1) / source);
    };
    const auto [left, right] = span(canvas.width());
    const auto [top, bottom] = span(canvas.height());
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

Rgb CaptureController::shownColor() const
{
    return CentreSample(shown_, sampleSide_);
}

void CaptureController::show(Rgb color, QPoint position, int changed)
{
    changed |= staleParts_;
    staleParts_ = 0;
    const bool sampledAnew = color != frame_.color || position != frame_.position || !sampledOnce_;
    sampledOnce_ = true;
    if (color != frame_.color || (changed & CaptureFrame::Swatch)) {
        frame_.color = color;
        writeCode();
        changed |= CaptureFrame::Swatch;
        contrastStale_ = true;
    }
    if (position != frame_.position || (changed & CaptureFrame::Position)) {
        frame_.position = position;
        writePosition();
        changed |= CaptureFrame::Position;
    }
    if (contrastStale_ && updateContrast(color))
        changed |= CaptureFrame::Contrast;
    if (changed)
        present(changed);
    if (sampledAnew)
        emit sampled(color, position);
}

void CaptureController::writeCode()
{
    const ColorCodeText code = WriteColorCode(notation_, frame_.color, decimalSeparator_);
    frame_.code = QString::fromLatin1(code.View().data(), qsizetype(code.View().size()));
}

void CaptureController::writePosition()
{
    // "[x,y]", without a format or a locale: this runs on every move.
    char text[32]; // two ints of at most 11 characters, and "[,]"
    char* const last = text + sizeof text - 1; // room kept for the closing bracket
    char* p = text;
    *p++ = '[';
    p = std::to_chars(p, last, frame_.position.x()).ptr;
    if (p < last)
        *p++ = ',';
    p = std::to_chars(p, last, frame_.position.y()).ptr;
    *p++ = ']';
    frame_.positionText = QString::fromLatin1(text, qsizetype(p - text));
}

void CaptureController::present(int changedParts)
{
    // Made at the first frame (on the GUI thread): the X11 presenter needs the window shown.
    if (!presenter_)
        presenter_ = CreateTickPresenter(widgets_, *sampler_);
    TickFrame shown;
    shown.magnifier = (changedParts & CaptureFrame::Magnifier) ? &frame_.magnifier : nullptr;
    shown.color = frame_.color;
    shown.code = frame_.code;
    shown.codeColor = ContrastTextColor(frame_.color);
    shown.position = frame_.positionText;
    shown.contrast = (changedParts & CaptureFrame::Contrast) ? &frame_.contrast : nullptr;
    presenter_->show(shown);
}

bool CaptureController::updateContrast(Rgb color)
{
    contrastStale_ = false;
    // The text, and so the panel, changes only with the tenth.
    if (!contrast_.Update(color, selected_))
        return false;
    frame_.contrast = QString::fromStdString(contrast_.Text());
    return true;
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
