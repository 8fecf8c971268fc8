#pragma once
// Pick mode over a still picture of the screens, for desktops where the
// pointer cannot be followed (Wayland): a full-screen window on every screen
// shows that screen as it was, at its device pixels. Positions are pointers
// over the pictures, as FrozenScreens reads them.
#include <QKeySequence>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "capture/FrozenScreens.h"

class QScreen;
class QWidget;

class PickOverlay : public QObject {
    Q_OBJECT
public:
    explicit PickOverlay(QKeySequence captureKey = QKeySequence(Qt::ALT | Qt::Key_C), QObject* parent = nullptr);
    ~PickOverlay() override;

    // Shows the pictures, each full screen on the screen it was taken of.
    void start(FrozenScreens screens);
    // Closes the windows without a signal.
    void stop();
    bool isActive() const { return !windows_.empty(); }
    const FrozenScreens& screens() const { return screens_; }
    const ScreenPointer& position() const { return position_; }

signals:
    // The pointer while it moves, at most twenty times a second.
    void pointerMoved(const ScreenPointer& pointer);
    // A click or the capture key picked the pixel under the pointer.
    void picked(const ScreenPointer& pointer);
    // Escape: the windows are closed.
    void cancelled();

private:
    class ScreenWindow;
    friend class ScreenWindow;

    void moved(const ScreenPointer& pointer);
    void pick(const ScreenPointer& pointer);
    void keyPressed(const QKeySequence& key);
    void intervalEnded();
    void report();

    QKeySequence captureKey_;
    FrozenScreens screens_;
    std::vector<std::unique_ptr<ScreenWindow>> windows_;
    QTimer throttle_;
    ScreenPointer position_;
    ScreenPointer reported_;
    bool hasPosition_ = false;
};
