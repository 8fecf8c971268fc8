#pragma once
// Tells a key's first press from the presses its autorepeat adds while it is
// held. X sends a repeat either as a press alone (detectable autorepeat) or as
// a release and a press with the same time stamp; both count as held.
#include <cstdint>

class KeyRepeatFilter {
public:
    // True for a first press; false for a repeat of the held key.
    bool Press(std::uint8_t keyCode, std::uint32_t time);
    void Release(std::uint8_t keyCode, std::uint32_t time);
    // Forgets the held key (its release may go elsewhere).
    void Reset();

private:
    std::uint8_t heldKey_ = 0;
    std::uint8_t releasedKey_ = 0;
    std::uint32_t releaseTime_ = 0;
};
