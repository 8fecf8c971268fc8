#pragma once
// Reads squares of the screen without making the caller wait. Where the
// system hands out screen contents only with its next frame (Wayland
// compositors), the pixels arrive later by signal, on the caller's thread.
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <memory>
#include <optional>

#include "platform/ScreenSampler.h"

// A whole screen as it looked: its logical desktop geometry and its device
// pixels (Format_RGB32).
struct ScreenPicture {
    QRect geometry;
    QImage image;
};

class AsyncScreenSampler : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~AsyncScreenSampler() override = default;

    // Asks for the square around the pointer, as IScreenSampler::GrabAround
    // reads it. A request made while another is being read waits; a newer
    // one replaces a waiting one, so a moving pointer costs one read at a
    // time and the newest place is read next.
    virtual void requestGrab(const ScreenPointer& pointer, int radius) = 0;
    // Asks for a picture of every whole screen, for a pick mode over a still
    // screen, with the cursor left out. By default Qt reads them, before this
    // returns.
    virtual void requestScreens();
    // Asks the system to tell the program's windows again where the pointer
    // is, without moving it. Nothing where it cannot.
    virtual void repeatPointerPosition() {}

signals:
    // The pixels around a requested pointer: Format_RGB32, 2 radius + 1
    // square, white where no screen could be read.
    void grabbed(const ScreenPointer& pointer, const QImage& image);
    // Every screen that could be read, and where the pointer was over them
    // (a logical desktop point) where the system told it as they were read.
    void screensGrabbed(const QList<ScreenPicture>& screens, std::optional<QPointF> pointer);
};

// Answers every request from a synchronous sampler before returning (X11,
// and the null sampler).
class ImmediateScreenSampler : public AsyncScreenSampler {
    Q_OBJECT
public:
    explicit ImmediateScreenSampler(std::unique_ptr<IScreenSampler> sampler, QObject* parent = nullptr);
    void requestGrab(const ScreenPointer& pointer, int radius) override;

private:
    std::unique_ptr<IScreenSampler> sampler_;
    QImage image_;
};

// The compositor's screen copies on Wayland where it offers them, the
// synchronous sampler of the platform otherwise.
std::unique_ptr<AsyncScreenSampler> CreateAsyncScreenSampler();
