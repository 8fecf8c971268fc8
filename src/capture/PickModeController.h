#pragma once
// Pick mode: the screens are copied once and shown still, full screen, and
// the pointer is followed over the copy. Used where the desktop tells no
// program where the pointer is (wlroots compositors): a browse that the user
// leaves with Escape, or a single capture at the pointer for the capture
// command, which needs no click.
#include <QImage>
#include <QObject>
#include <memory>
#include <optional>

#include "capture/PickOverlay.h"
#include "platform/AsyncScreenSampler.h"

class PickModeController : public QObject {
    Q_OBJECT
public:
    static constexpr int kRadius = 19;

    // screens copies the screens; null where none can be copied. warp moves
    // the real pointer with the arrow keys; null where none may.
    explicit PickModeController(std::unique_ptr<AsyncScreenSampler> screens,
                                std::unique_ptr<IPointerWarp> warp = nullptr, QObject* parent = nullptr);
    ~PickModeController() override;

    bool canPick() const { return screens_ != nullptr; }
    bool isActive() const { return state_ != State::Idle; }
    // The key that captures while the pointer is over the still screens.
    void setCaptureKey(const QKeySequence& key) { overlay_.setCaptureKey(key); }
    void setSampleSide(int side) { overlay_.setSampleSide(side); }

    // Freezes the screens and follows the pointer over them until Escape;
    // each click or capture key emits picked(). A second call while active
    // is ignored.
    void browse();
    // Freezes the screens, picks where the pointer is as soon as it is
    // known, and leaves. While browsing it picks at the pointer at once.
    void pickAtPointer();
    void stop();

signals:
    // The square around the pointer over the still screens (Format_RGB32,
    // 2 kRadius + 1 wide), while it moves.
    void sampled(const ScreenPointer& pointer, const QImage& square);
    void picked(const ScreenPointer& pointer, const QImage& square);
    // The still screens are gone (Escape, a single pick done, or no copy).
    void finished();

private:
    enum class State { Idle, Freezing, Browsing, Once };

    void freeze(State then);
    void frozen(const QList<ScreenPicture>& screens, std::optional<QPointF> pointer);
    void moved(const ScreenPointer& pointer);
    void pick(const ScreenPointer& pointer);
    void end();
    const QImage& squareAt(const ScreenPointer& pointer);

    std::unique_ptr<AsyncScreenSampler> screens_;
    PickOverlay overlay_;
    State state_ = State::Idle;
    State after_ = State::Idle;
    QImage square_;
};
