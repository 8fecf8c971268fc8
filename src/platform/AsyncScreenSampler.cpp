#include "platform/AsyncScreenSampler.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

void AsyncScreenSampler::requestScreens()
{
    QList<ScreenPicture> pictures;
    for (QScreen* screen : QGuiApplication::screens()) {
        QImage image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        if (!image.isNull()) {
            image.setDevicePixelRatio(1.0);
            pictures.append({screen->geometry(), std::move(image)});
        }
    }
    emit screensGrabbed(pictures, std::nullopt);
}

ImmediateScreenSampler::ImmediateScreenSampler(std::unique_ptr<IScreenSampler> sampler, QObject* parent)
    : AsyncScreenSampler(parent), sampler_(std::move(sampler))
{
}

void ImmediateScreenSampler::requestGrab(const ScreenPointer& pointer, int radius)
{
    sampler_->GrabAround(pointer, radius, image_);
    emit grabbed(pointer, image_);
}
