#include "platform/AsyncScreenSampler.h"

ImmediateScreenSampler::ImmediateScreenSampler(std::unique_ptr<IScreenSampler> sampler, QObject* parent)
    : AsyncScreenSampler(parent), sampler_(std::move(sampler))
{
}

void ImmediateScreenSampler::requestGrab(const QRect& source)
{
    sampler_->Grab(source, image_);
    emit grabbed(source, image_);
}
