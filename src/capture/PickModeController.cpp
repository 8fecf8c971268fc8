#include "capture/PickModeController.h"

PickModeController::PickModeController(std::unique_ptr<AsyncScreenSampler> screens,
                                       std::unique_ptr<IPointerWarp> warp, QObject* parent)
    : QObject(parent), screens_(std::move(screens)), overlay_(std::move(warp))
{
    if (screens_) {
        connect(screens_.get(), &AsyncScreenSampler::screensGrabbed, this, &PickModeController::frozen);
        connect(&overlay_, &PickOverlay::positionWanted, screens_.get(), &AsyncScreenSampler::repeatPointerPosition);
    }
    connect(&overlay_, &PickOverlay::pointerMoved, this, &PickModeController::moved);
    connect(&overlay_, &PickOverlay::picked, this, &PickModeController::pick);
    connect(&overlay_, &PickOverlay::cancelled, this, &PickModeController::end);
}

PickModeController::~PickModeController() = default;

void PickModeController::browse()
{
    if (state_ == State::Idle)
        freeze(State::Browsing);
}

void PickModeController::pickAtPointer()
{
    if (state_ == State::Browsing && overlay_.isActive()) {
        overlay_.pickAtPointer();
        return;
    }
    if (state_ == State::Freezing)
        after_ = State::Once;
    else if (state_ == State::Idle)
        freeze(State::Once);
}

void PickModeController::stop()
{
    if (state_ != State::Idle)
        end();
}

void PickModeController::freeze(State then)
{
    if (!screens_) {
        emit finished();
        return;
    }
    state_ = State::Freezing;
    after_ = then;
    screens_->requestScreens();
}

void PickModeController::frozen(const QList<ScreenPicture>& screens, std::optional<QPointF> pointer)
{
    if (state_ != State::Freezing)
        return;
    if (screens.isEmpty()) {
        end();
        return;
    }
    state_ = after_;
    FrozenScreens still(screens, pointer);
    // A single pick where the system told where the pointer is needs no windows.
    const std::optional<PicturePoint> known = still.pointerWhenTaken();
    if (state_ == State::Once && known) {
        const ScreenPointer at = still.pointerAt(known->picture, known->local);
        still.grabAround(at, kRadius, square_);
        emit picked(at, square_);
        end();
        return;
    }
    overlay_.start(std::move(still));
}

const QImage& PickModeController::squareAt(const ScreenPointer& pointer)
{
    overlay_.screens().grabAround(pointer, kRadius, square_);
    return square_;
}

void PickModeController::moved(const ScreenPointer& pointer)
{
    if (state_ == State::Once) {
        pick(pointer);
        return;
    }
    emit sampled(pointer, squareAt(pointer));
}

void PickModeController::pick(const ScreenPointer& pointer)
{
    const bool once = state_ == State::Once;
    emit picked(pointer, squareAt(pointer));
    if (once)
        end();
}

void PickModeController::end()
{
    state_ = State::Idle;
    overlay_.stop();
    emit finished();
}
