// The capture tick: the magnifier, the swatch and the status bar's readouts.
#include "capture/CaptureController.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

#include "capture/CentreSample.h"
#include "capture/TickPresenters.h"
#include "core/config/MessageText.h"
#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureView.h"
#include "ui/WidgetHelpers.h"
#include "core/color/AreaAverage.h"
#include "core/color/ColorCodes.h"
#include "core/color/ColorNames.h"
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

// The square as the filter sees it. Where it is the square before moved by
// shift, a pixel the same as the one there before is seen the same: a moving
// pointer filters only the pixels that come into sight.
void FilterSquare(const ColorVisionFilter& filter, const QImage& square, const QImage* before,
                  const QImage& seenBefore, QPoint shift, QImage& seen)
{
    const int w = square.width(), h = square.height();
    for (int y = 0; y < h; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(square.constScanLine(y));
        auto* to = reinterpret_cast<std::uint32_t*>(seen.scanLine(y));
        const int beforeY = y + shift.y();
        if (!before || beforeY < 0 || beforeY >= h) {
            filter.filterPixels(from, to, std::size_t(w));
            continue;
        }
        const auto* last = reinterpret_cast<const std::uint32_t*>(before->constScanLine(beforeY)) + shift.x();
        const auto* lastSeen = reinterpret_cast<const std::uint32_t*>(seenBefore.constScanLine(beforeY)) + shift.x();
        // The part of the row that was in sight before, and the rest.
        const int x0 = std::clamp(-shift.x(), 0, w), x1 = std::clamp(w - shift.x(), 0, w);
        filter.filterPixels(from, to, std::size_t(x0));
        filter.filterPixels(from + x1, to + x1, std::size_t(w - x1));
        const std::size_t bytes = std::size_t(x1 - x0) * 4;
        if (std::memcmp(from + x0, last + x0, bytes) == 0) {
            std::memcpy(to + x0, lastSeen + x0, bytes);
            continue;
        }
        for (int x = x0; x < x1; ++x)
            to[x] = last[x] == from[x] ? lastSeen[x] : filter.filterKept(from[x]);
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
      decimalSeparator_(decimalSeparator), nameMetrics_(widgets.statusBar->font()),
      nameWidth_(widgets.namePanel >= 0 ? widgets.statusBar->panelTextRect(widgets.namePanel).width() : 0)
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

void CaptureController::setColorVision(ColorVision vision, const QString& label)
{
    QImage labelImage;
    if (vision != ColorVision::Normal && !label.isEmpty()) {
        QFont font = widgets_.magnifier->font();
        font.setPixelSize(10);
        const QFontMetrics metrics(font);
        const int width = std::min(metrics.horizontalAdvance(label) + 4, frame_.magnifier.width());
        labelImage = QImage(width, metrics.height() + 2, QImage::Format_RGB32);
        labelImage.fill(Qt::black);
        QPainter p(&labelImage);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(labelImage.rect(), Qt::AlignCenter, label);
    }
    const std::lock_guard lock(mutex_);
    vision_ = ColorVisionFilter(vision);
    visionLabel_ = labelImage;
    renderMagnifier(magnified_ == Magnified::Screen ? nullptr : &filled_);
    staleParts_ |= CaptureFrame::Magnifier;
}

void CaptureController::setNameStyle(std::string_view nearFormat)
{
    const std::lock_guard lock(mutex_);
    nameFormat_ = nearFormat;
    namedColor_.reset();
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
        squareShift_.reset();
        if (magnified_ == Magnified::Screen && pointer.desktop == lastPointer_.desktop)
            squareShift_ = QPoint(pointer.device.x - lastPointer_.device.x, pointer.device.y - lastPointer_.device.y);
        lastPointer_ = pointer;
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
    if (fill) {
        filled_ = *fill;
        canvas.fill(ToQColor(vision_(FromRgb(fill->rgb()))));
    } else if (vision_.changesColors()) {
        seen_.swap(lastSeen_);
        if (seen_.size() != shown_.size())
            seen_ = QImage(shown_.size(), QImage::Format_RGB32);
        const bool moved = squareShift_ && source_.size() == shown_.size() && lastSeen_.size() == shown_.size();
        FilterSquare(vision_, shown_, moved ? &source_ : nullptr, lastSeen_, squareShift_.value_or(QPoint()), seen_);
        StretchNearest(seen_, canvas);
    } else {
        StretchNearest(shown_, canvas);
    }
    squareShift_.reset();
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
    if (!visionLabel_.isNull())
        drawVisionLabel(canvas);
}

// In the bottom-left corner, over the cross.
void CaptureController::drawVisionLabel(QImage& canvas) const
{
    const int top = canvas.height() - visionLabel_.height();
    const std::size_t bytes = std::size_t(std::min(visionLabel_.width(), canvas.width())) * 4;
    for (int y = std::max(top, 0); y < canvas.height(); ++y)
        std::memcpy(canvas.scanLine(y), visionLabel_.constScanLine(y - top), bytes);
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
    // The one lookup of a tick, and only for a new colour.
    if (widgets_.namePanel >= 0 && namedColor_ != color) {
        updateName(color);
        changed |= CaptureFrame::Name;
    }
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
    shown.name = (changedParts & CaptureFrame::Name) ? &frame_.name : nullptr;
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

// "coral" for the very colour, else the style's text; where that is wider
// than the panel the name is shortened, never the difference.
void CaptureController::updateName(Rgb color)
{
    namedColor_ = color;
    const NearestColorName nearest = NearestCssColorName(color);
    const QString name = QString::fromLatin1(nearest.name.data(), qsizetype(nearest.name.size()));
    const bool exact = DeltaEText(nearest.deltaE) == "0.0";
    const std::string deltaE = DeltaEText(nearest.deltaE, decimalSeparator_);
    const auto text = [&](const QString& shownName) {
        return exact ? shownName
                     : QString::fromStdString(FillFormatText(nameFormat_, {shownName.toStdString(), deltaE}));
    };
    frame_.fullName = text(name);
    const qreal width = nameMetrics_.horizontalAdvance(frame_.fullName);
    if (width <= nameWidth_) {
        frame_.name = frame_.fullName;
        return;
    }
    const qreal rest = width - nameMetrics_.horizontalAdvance(name);
    frame_.name = text(nameMetrics_.elidedText(name, Qt::ElideRight, std::max<qreal>(nameWidth_ - rest, 0)));
}

QString CaptureController::fullPanelText(int panel) const
{
    const std::lock_guard lock(mutex_);
    if (panel < 0)
        return QString();
    if (panel == widgets_.positionPanel)
        return frame_.positionText;
    if (panel == widgets_.contrastPanel)
        return frame_.contrast;
    if (panel == widgets_.namePanel)
        return frame_.fullName;
    return QString();
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
