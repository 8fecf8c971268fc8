#include "capture/PickOverlay.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {
constexpr int kReportIntervalMs = 50;
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
        QPainter painter(this);
        if (image_.isNull())
            painter.fillRect(rect(), Qt::white);
        else
            painter.drawImage(rect(), image_);
        if (!loupe_.isNull())
            paintLoupe(painter);
    }

    // A compositor tells where the pointer enters without a move there.
    void enterEvent(QEnterEvent* event) override { follow(event->position()); }
    void mouseMoveEvent(QMouseEvent* event) override { follow(event->position()); }
    void leaveEvent(QEvent*) override
    {
        update(loupe_);
        loupe_ = QRect();
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            owner_.pick(pointerAt(event->position()));
    }

    void keyPressEvent(QKeyEvent* event) override { owner_.keyPressed(QKeySequence(event->keyCombination())); }

private:
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
};

PickOverlay::PickOverlay(QKeySequence captureKey, QObject* parent) : QObject(parent), captureKey_(std::move(captureKey))
{
    throttle_.setSingleShot(true);
    throttle_.setInterval(kReportIntervalMs);
    connect(&throttle_, &QTimer::timeout, this, &PickOverlay::intervalEnded);
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
}

void PickOverlay::stop()
{
    throttle_.stop();
    // Escape and receivers of picked() stop it from a window's own event.
    for (auto& window : windows_) {
        window->hide();
        window.release()->deleteLater();
    }
    windows_.clear();
    hasPosition_ = false;
}

void PickOverlay::moved(const ScreenPointer& pointer)
{
    position_ = pointer;
    hasPosition_ = true;
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

void PickOverlay::pick(const ScreenPointer& pointer)
{
    moved(pointer);
    emit picked(pointer);
}

void PickOverlay::keyPressed(const QKeySequence& key)
{
    if (key == QKeySequence(Qt::Key_Escape)) {
        stop();
        emit cancelled();
    } else if (key == captureKey_ && hasPosition_) {
        emit picked(position_);
    }
}
