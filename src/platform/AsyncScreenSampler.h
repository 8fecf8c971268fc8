#pragma once
// Reads squares of the screen without making the caller wait. Where the
// system hands out screen contents only with its next frame (Wayland
// compositors), the pixels arrive later by signal, on the caller's thread.
#include <QImage>
#include <QObject>
#include <QRect>
#include <memory>

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

    // Asks for the pixels of the rectangle (virtual-desktop coordinates, as
    // IScreenSampler::Grab takes them). A request made while another is being
    // read waits; a newer one replaces a waiting one, so a moving pointer
    // costs one read at a time and the newest place is read next.
    virtual void requestGrab(const QRect& source) = 0;
    // Asks for a picture of every whole screen, for a pick mode over a still
    // screen. By default Qt reads them, before this returns.
    virtual void requestScreens();

signals:
    // The pixels of a requested rectangle: Format_RGB32, its size, white
    // where no screen could be read.
    void grabbed(const QRect& source, const QImage& image);
    // Every screen that could be read.
    void screensGrabbed(const QList<ScreenPicture>& screens);
};

// Answers every request from a synchronous sampler before returning (X11,
// and the null sampler).
class ImmediateScreenSampler : public AsyncScreenSampler {
    Q_OBJECT
public:
    explicit ImmediateScreenSampler(std::unique_ptr<IScreenSampler> sampler, QObject* parent = nullptr);
    void requestGrab(const QRect& source) override;

private:
    std::unique_ptr<IScreenSampler> sampler_;
    QImage image_;
};

// The compositor's screen copies on Wayland where it offers them, the
// synchronous sampler of the platform otherwise.
std::unique_ptr<AsyncScreenSampler> CreateAsyncScreenSampler();
