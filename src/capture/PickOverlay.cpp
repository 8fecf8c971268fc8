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
}

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
    }

    // A compositor tells where the pointer enters without a move there.
    void enterEvent(QEnterEvent* event) override { owner_.moved(pointerAt(event->position())); }
    void mouseMoveEvent(QMouseEvent* event) override { owner_.moved(pointerAt(event->position())); }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            owner_.pick(pointerAt(event->position()));
    }

    void keyPressEvent(QKeyEvent* event) override { owner_.keyPressed(QKeySequence(event->keyCombination())); }

private:
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
