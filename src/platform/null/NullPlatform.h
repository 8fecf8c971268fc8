#pragma once
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"

class NullScreenSampler : public IScreenSampler {
public:
    ScreenPointer Pointer() override;
    void GrabAround(const ScreenPointer& pointer, int radius, QImage& out) override;
};

class NullGlobalHotkey : public IGlobalHotkey {
    Q_OBJECT
public:
    bool Register(int id, QKeyCombination combination) override;
    void Unregister(int id) override;
};
