#include "core/platform/KeyRepeat.h"

bool KeyRepeatFilter::Press(std::uint8_t keyCode, std::uint32_t time)
{
    const bool repeat = keyCode == heldKey_ || (releasedKey_ != 0 && keyCode == releasedKey_ && time == releaseTime_);
    heldKey_ = keyCode;
    releasedKey_ = 0;
    return !repeat;
}

void KeyRepeatFilter::Release(std::uint8_t keyCode, std::uint32_t time)
{
    if (keyCode != heldKey_)
        return;
    heldKey_ = 0;
    releasedKey_ = keyCode;
    releaseTime_ = time;
}

void KeyRepeatFilter::Reset()
{
    heldKey_ = 0;
    releasedKey_ = 0;
}
