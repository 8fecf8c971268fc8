#pragma once
// Moves the real pointer, for pick mode's arrow keys. Where the desktop lets
// no program move it (Wayland), there is none, and pick mode moves only the
// place it reads.
class IPointerWarp {
public:
    virtual ~IPointerWarp() = default;
    // By whole device pixels from where it is; false when it could not.
    virtual bool MoveBy(int dx, int dy) = 0;
};
