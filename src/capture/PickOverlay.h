#pragma once
// Pick mode over a still picture of the screens, for desktops where the
// pointer cannot be followed (Wayland): a full-screen window on every screen
// shows that screen as it was, at its device pixels. Positions are pointers
// over the pictures, as FrozenScreens reads them.
#include <QKeySequence>
#include <QPointF>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "capture/FrozenScreens.h"
#include "platform/PointerWarp.h"

class QScreen;
class QWidget;

class PickOverlay : public QObject {
    Q_OBJECT
public:
    // warp moves the real pointer with the arrow keys; without one they move
    // only the place read.
    explicit PickOverlay(std::unique_ptr<IPointerWarp> warp = nullptr,
                         QKeySequence captureKey = QKeySequence(Qt::ALT | Qt::Key_C), QObject* parent = nullptr);
    ~PickOverlay() override;

    // Shows the pictures, each full screen on the screen it was taken of,
    // following the pointer from where it was as they were taken, where known.
    void start(FrozenScreens screens);
    // Closes the windows without a signal.
    void stop();
    bool isActive() const { return !windows_.empty(); }
    void setCaptureKey(const QKeySequence& key) { captureKey_ = key; }
    // The loupe frames the side x side pixels a capture averages, and names their mean.
    void setSampleSide(int side);
    // The loupe's magnification, kMinZoom to kMaxZoom; the wheel doubles or halves it.
    int zoom() const { return zoom_; }
    static constexpr int kMinZoom = 2;
    static constexpr int kMaxZoom = 32;
    const FrozenScreens& screens() const { return screens_; }
    // Picks under the pointer as the capture key does: at once where its
    // position is known, else as soon as it is.
    void pickAtPointer();

signals:
    // The pointer while it moves, at most twenty times a second.
    void pointerMoved(const ScreenPointer& pointer);
    // A click or the capture key picked the pixel under the pointer.
    void picked(const ScreenPointer& pointer);
    // A window's pointer place is not confirmed yet: the system may be asked
    // to tell it again (AsyncScreenSampler::repeatPointerPosition).
    void positionWanted();
    // Escape: the windows are closed.
    void cancelled();

private:
    class ScreenWindow;
    friend class ScreenWindow;

    void entered(ScreenWindow* window, QPointF local);
    void firstPainted(ScreenWindow* window);
    void settled();
    void ask();
    bool motionCounts(ScreenWindow* window, QPointF local);
    void enterUnconfirmed();
    void left(ScreenWindow* window);
    void moved(const ScreenPointer& pointer);
    void pick(const ScreenPointer& pointer);
    void keyPressed(const QKeySequence& key);
    // The arrow keys: one device pixel, ten with Shift.
    void nudge(int dx, int dy);
    void wheelTurned(int angleDelta);
    void refreshLoupe();
    void intervalEnded();
    void report();

    std::unique_ptr<IPointerWarp> warp_;
    QKeySequence captureKey_;
    FrozenScreens screens_;
    std::vector<std::unique_ptr<ScreenWindow>> windows_;
    QTimer throttle_;
    // A compositor may announce a new surface's pointer at a wrong place and
    // correct it with a motion right after (sway 1.7 beside a scaled
    // output): where it entered counts only once no motion followed.
    QTimer enterConfirmation_;
    QTimer pointerQuestion_; // asks again while unconfirmed
    // Where the pointer was as the pictures were taken is surer than where
    // the compositor says it enters the new windows, until it moves.
    bool enterDoubtful_ = false;
    ScreenWindow* enteredWindow_ = nullptr;
    QPointF enteredAt_;
    ScreenPointer position_;
    ScreenPointer reported_;
    bool hasPosition_ = false;
    // Moved by the keys since the pointer last moved from pointerPlace_: a click picks there.
    bool nudged_ = false;
    ScreenPointer pointerPlace_;
    int zoom_ = 8;
    int wheelRest_ = 0; // a fine wheel's turn short of a notch
    int sampleSide_ = 1;
    bool pickWhenKnown_ = false;
    bool asked_ = false;
};
