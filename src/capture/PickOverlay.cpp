#include "capture/PickOverlay.h"

#include <QEnterEvent>
#include <QWheelEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "capture/CentreSample.h"
#include "ui/WidgetHelpers.h"

namespace {
constexpr int kReportIntervalMs = 50;
// The correcting motion comes at once when the compositor is asked to repeat
// the pointer's place; this bounds the wait where none comes (the place was
// right, or nothing can ask).
constexpr int kEnterConfirmationMs = 400;
constexpr int kPointerQuestionIntervalMs = 40;
// The loupe beside the pointer: the still screen's pixels around it,
// magnified, over the colour's swatch and code. The main window, which shows
// the same, is under the full-screen windows.
constexpr int kLoupeSide = 120;
constexpr int kLoupeCaption = 20;
constexpr int kLoupeOffset = 24;
constexpr int kNudgeLong = 10; // with Shift

// The pixels either side of the centre that fill the loupe at the zoom.
int LoupeRadius(int zoom)
{
    return (kLoupeSide + zoom - 1) / (2 * zoom);
}
} // namespace

class PickOverlay::ScreenWindow : public QWidget {
public:
    ScreenWindow(PickOverlay& owner, QScreen* screen, int picture)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), owner_(owner), picture_(picture)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        setScreen(screen);
        setGeometry(screen->geometry());
        if (picture_ >= 0) {
            image_ = owner.screens_.pictures()[picture_].image;
            // Drawn at the picture's pixels where the screen's scale matches it.
            image_.setDevicePixelRatio(double(image_.width()) / std::max(1, screen->geometry().width()));
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!std::exchange(painted_, true))
            owner_.firstPainted(this);
        QPainter painter(this);
        if (image_.isNull())
            painter.fillRect(rect(), Qt::white);
        else
            painter.drawImage(rect(), image_);
        if (!loupe_.isNull())
            paintLoupe(painter);
    }

    // A compositor tells where the pointer enters without a move there; the
    // place counts once confirmed.
    void enterEvent(QEnterEvent* event) override { owner_.entered(this, event->position()); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!owner_.motionCounts(this, event->position()))
            return;
        follow(event->position());
    }
    void leaveEvent(QEvent*) override
    {
        owner_.left(this);
        update(loupe_);
        loupe_ = QRect();
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        // Where the keys moved it, unless the pointer could not follow.
        if (owner_.nudged_)
            owner_.pickAtPointer();
        else
            owner_.pick(pointerAt(event->position()));
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int step = event->modifiers() & Qt::ShiftModifier ? kNudgeLong : 1;
        switch (event->key()) {
        case Qt::Key_Left: owner_.nudge(-step, 0); break;
        case Qt::Key_Right: owner_.nudge(step, 0); break;
        case Qt::Key_Up: owner_.nudge(0, -step); break;
        case Qt::Key_Down: owner_.nudge(0, step); break;
        default: owner_.keyPressed(QKeySequence(event->keyCombination())); break;
        }
    }

    void wheelEvent(QWheelEvent* event) override { owner_.wheelTurned(event->angleDelta().y()); }

public:
    bool painted() const { return painted_; }
    int picture() const { return picture_; }

    void follow(QPointF local)
    {
        const ScreenPointer pointer = pointerAt(local);
        // A compositor may repeat the place with a click: the keys' place stays.
        if (owner_.nudged_ && pointer == owner_.pointerPlace_)
            return;
        owner_.nudged_ = false;
        owner_.pointerPlace_ = pointer;
        showLoupe(pointer, local);
        owner_.moved(pointer);
    }

    // The middle of the pointer's device pixel, in this window.
    QPointF localOf(const ScreenPointer& pointer) const
    {
        const double ratio = image_.isNull() ? 1.0 : image_.devicePixelRatio();
        return {(pointer.device.x + 0.5) / ratio, (pointer.device.y + 0.5) / ratio};
    }

    void showLoupe(const ScreenPointer& pointer, QPointF local)
    {
        if (picture_ >= 0) {
            // Wide enough for the zoom and for the averaged square.
            owner_.screens_.grabAround(pointer, std::max(LoupeRadius(owner_.zoom_), owner_.sampleSide_ / 2), square_);
            // Beside the pointer, on the side with room for it.
            QPoint at = local.toPoint() + QPoint(kLoupeOffset, kLoupeOffset);
            const QSize size(kLoupeSide + 2, kLoupeSide + kLoupeCaption + 2);
            if (at.x() + size.width() > width())
                at.rx() = int(local.x()) - kLoupeOffset - size.width();
            if (at.y() + size.height() > height())
                at.ry() = int(local.y()) - kLoupeOffset - size.height();
            update(loupe_);
            loupe_ = QRect(at, size);
            update(loupe_);
            shownAt_ = local;
        }
    }

    void refreshLoupe()
    {
        if (!loupe_.isNull())
            showLoupe(pointerAt(shownAt_), shownAt_);
    }

private:
    void paintLoupe(QPainter& painter) const
    {
        const QRect pixels(loupe_.topLeft() + QPoint(1, 1), QSize(kLoupeSide, kLoupeSide));
        painter.fillRect(loupe_, Qt::black);
        const int zoom = owner_.zoom_;
        const int radius = square_.width() / 2;
        // The centre pixel in the loupe's middle; the outer ones as far as they show.
        const QPoint centreCell = pixels.topLeft() + QPoint((kLoupeSide - zoom) / 2, (kLoupeSide - zoom) / 2);
        painter.save();
        painter.setClipRect(pixels);
        painter.drawImage(centreCell - QPoint(radius * zoom, radius * zoom),
                          square_.scaled(square_.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        const int half = owner_.sampleSide_ / 2;
        painter.setPen(Qt::red);
        painter.drawRect(centreCell.x() - half * zoom, centreCell.y() - half * zoom, (2 * half + 1) * zoom - 1,
                         (2 * half + 1) * zoom - 1);
        // The zoom in the top-left corner.
        const QString zoomText = QString::number(zoom) + QChar(0x00D7);
        const QRect corner(pixels.topLeft(), QSize(painter.fontMetrics().horizontalAdvance(zoomText) + 6,
                                                   painter.fontMetrics().height() + 2));
        painter.fillRect(corner, Qt::black);
        painter.setPen(Qt::white);
        painter.drawText(corner, Qt::AlignCenter, zoomText);
        painter.restore();
        const QColor centre = ToQColor(CentreSample(square_, owner_.sampleSide_));
        const QRect caption(pixels.x(), pixels.bottom() + 1, kLoupeSide, kLoupeCaption);
        painter.fillRect(caption, centre);
        painter.setPen(centre.lightness() > 128 ? Qt::black : Qt::white);
        painter.drawText(caption, Qt::AlignCenter, centre.name().toUpper());
    }

    // On a full-screen window positions are the screen's own.
    ScreenPointer pointerAt(QPointF local) const
    {
        if (picture_ >= 0)
            return owner_.screens_.pointerAt(picture_, local);
        // No picture of this screen: nothing to read under the pointer.
        ScreenPointer pointer;
        pointer.desktop = -1;
        pointer.pos = screen()->geometry().topLeft() + local.toPoint();
        return pointer;
    }

    PickOverlay& owner_;
    int picture_;
    QImage image_;
    QImage square_;
    QRect loupe_;
    QPointF shownAt_; // where the loupe was last placed for
    bool painted_ = false;
};

PickOverlay::PickOverlay(std::unique_ptr<IPointerWarp> warp, QKeySequence captureKey, QObject* parent)
    : QObject(parent), warp_(std::move(warp)), captureKey_(std::move(captureKey))
{
    throttle_.setSingleShot(true);
    throttle_.setInterval(kReportIntervalMs);
    connect(&throttle_, &QTimer::timeout, this, &PickOverlay::intervalEnded);
    enterConfirmation_.setSingleShot(true);
    enterConfirmation_.setInterval(kEnterConfirmationMs);
    connect(&enterConfirmation_, &QTimer::timeout, this, &PickOverlay::enterUnconfirmed);
    pointerQuestion_.setInterval(kPointerQuestionIntervalMs);
    connect(&pointerQuestion_, &QTimer::timeout, this, &PickOverlay::ask);
}

PickOverlay::~PickOverlay() { stop(); }

void PickOverlay::start(FrozenScreens screens)
{
    stop();
    screens_ = std::move(screens);
    const QList<QScreen*> qtScreens = QGuiApplication::screens();
    for (QScreen* screen : qtScreens) {
        int picture = -1;
        for (int i = 0; i < screens_.pictures().size(); ++i)
            if (screens_.pictures()[i].geometry == screen->geometry())
                picture = i;
        windows_.push_back(std::make_unique<ScreenWindow>(*this, screen, picture));
    }
    for (auto& window : windows_)
        window->showFullScreen();
    if (!windows_.empty())
        windows_.front()->activateWindow();
    if (const std::optional<PicturePoint> known = screens_.pointerWhenTaken()) {
        for (auto& window : windows_) {
            if (window->picture() != known->picture)
                continue;
            window->follow(known->local);
            enterDoubtful_ = true;
            break;
        }
    }
}

void PickOverlay::stop()
{
    throttle_.stop();
    enterConfirmation_.stop();
    pointerQuestion_.stop();
    enteredWindow_ = nullptr;
    enterDoubtful_ = false;
    pickWhenKnown_ = false;
    // Escape and receivers of picked() stop it from a window's own event.
    for (auto& window : windows_) {
        window->hide();
        window.release()->deleteLater();
    }
    windows_.clear();
    hasPosition_ = false;
    nudged_ = false;
}

void PickOverlay::setSampleSide(int side)
{
    sampleSide_ = side;
    refreshLoupe();
}

void PickOverlay::wheelTurned(int angleDelta)
{
    // One notch (120) doubles or halves it; a fine wheel adds its turns up.
    wheelRest_ += angleDelta;
    int zoom = zoom_;
    for (; wheelRest_ >= 120; wheelRest_ -= 120)
        zoom = std::min(zoom * 2, kMaxZoom);
    for (; wheelRest_ <= -120; wheelRest_ += 120)
        zoom = std::max(zoom / 2, kMinZoom);
    if (zoom != zoom_) {
        zoom_ = zoom;
        refreshLoupe();
    }
}

void PickOverlay::refreshLoupe()
{
    for (auto& window : windows_)
        window->refreshLoupe();
}

void PickOverlay::nudge(int dx, int dy)
{
    if (!hasPosition_)
        return;
    const ScreenPointer next = screens_.nudged(position_, dx, dy);
    if (next == position_)
        return;
    // Where the pointer follows, its motion comes as well, to the same place.
    if (warp_)
        warp_->MoveBy(next.device.x - position_.device.x, next.device.y - position_.device.y);
    for (auto& window : windows_)
        if (window->picture() == next.desktop)
            window->showLoupe(next, window->localOf(next));
    moved(next);
    nudged_ = true;
}

void PickOverlay::entered(ScreenWindow* window, QPointF local)
{
    if (enterDoubtful_)
        return;
    enteredWindow_ = window;
    enteredAt_ = local;
    asked_ = false;
    // Until its first frame the compositor may not have placed it yet.
    if (window->painted())
        settled();
}

void PickOverlay::firstPainted(ScreenWindow* window)
{
    if (enteredWindow_ == window)
        settled();
}

void PickOverlay::settled()
{
    enterConfirmation_.start();
    pointerQuestion_.start();
}

void PickOverlay::ask()
{
    asked_ = true;
    emit positionWanted();
}

bool PickOverlay::motionCounts(ScreenWindow* window, QPointF local)
{
    // Motions the compositor sent before it placed the window are as wrong as the enter.
    if (enteredWindow_ != window || asked_)
        return true;
    enteredAt_ = local;
    return false;
}

void PickOverlay::enterUnconfirmed()
{
    pointerQuestion_.stop();
    if (enteredWindow_)
        std::exchange(enteredWindow_, nullptr)->follow(enteredAt_);
}

void PickOverlay::moved(const ScreenPointer& pointer)
{
    enterDoubtful_ = false;
    enterConfirmation_.stop();
    pointerQuestion_.stop();
    enteredWindow_ = nullptr;
    position_ = pointer;
    hasPosition_ = true;
    if (std::exchange(pickWhenKnown_, false))
        emit picked(position_);
    // The first move after a rest is told at once, later ones once an interval.
    if (!throttle_.isActive())
        report();
}

void PickOverlay::intervalEnded()
{
    if (position_ != reported_)
        report();
}

void PickOverlay::report()
{
    reported_ = position_;
    throttle_.start();
    emit pointerMoved(position_);
}

void PickOverlay::left(ScreenWindow* window)
{
    if (enteredWindow_ == window) {
        enterConfirmation_.stop();
        pointerQuestion_.stop();
        enteredWindow_ = nullptr;
    }
}

void PickOverlay::pick(const ScreenPointer& pointer)
{
    pickWhenKnown_ = false;
    moved(pointer);
    emit picked(pointer);
}

void PickOverlay::keyPressed(const QKeySequence& key)
{
    if (key == QKeySequence(Qt::Key_Escape)) {
        stop();
        emit cancelled();
    } else if (key == captureKey_) {
        pickAtPointer();
    }
}

void PickOverlay::pickAtPointer()
{
    if (hasPosition_)
        emit picked(position_);
    else
        pickWhenKnown_ = true;
}
