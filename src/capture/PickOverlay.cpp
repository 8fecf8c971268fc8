#include "capture/PickOverlay.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <utility>

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
constexpr int kLoupeRadius = 7;
constexpr int kLoupeZoom = 8;
constexpr int kLoupeSide = (2 * kLoupeRadius + 1) * kLoupeZoom;
constexpr int kLoupeCaption = 20;
constexpr int kLoupeOffset = 24;
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
        if (event->button() == Qt::LeftButton)
            owner_.pick(pointerAt(event->position()));
    }

    void keyPressEvent(QKeyEvent* event) override { owner_.keyPressed(QKeySequence(event->keyCombination())); }

public:
    bool painted() const { return painted_; }
    int picture() const { return picture_; }

    void follow(QPointF local)
    {
        const ScreenPointer pointer = pointerAt(local);
        if (picture_ >= 0) {
            owner_.screens_.grabAround(pointer, kLoupeRadius, square_);
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
        }
        owner_.moved(pointer);
    }

private:
    void paintLoupe(QPainter& painter) const
    {
        const QRect pixels(loupe_.topLeft() + QPoint(1, 1), QSize(kLoupeSide, kLoupeSide));
        painter.fillRect(loupe_, Qt::black);
        for (int y = 0; y < square_.height(); ++y)
            for (int x = 0; x < square_.width(); ++x)
                painter.fillRect(pixels.x() + x * kLoupeZoom, pixels.y() + y * kLoupeZoom, kLoupeZoom, kLoupeZoom,
                                 QColor(square_.pixel(x, y)));
        const QColor centre(square_.pixel(kLoupeRadius, kLoupeRadius));
        painter.setPen(Qt::red);
        painter.drawRect(pixels.x() + kLoupeRadius * kLoupeZoom, pixels.y() + kLoupeRadius * kLoupeZoom,
                         kLoupeZoom - 1, kLoupeZoom - 1);
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
    bool painted_ = false;
};

PickOverlay::PickOverlay(QKeySequence captureKey, QObject* parent) : QObject(parent), captureKey_(std::move(captureKey))
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
