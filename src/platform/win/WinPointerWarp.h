#pragma once
// Moves the Windows pointer in physical pixels (the process is per-monitor
// DPI aware).
#include "platform/PointerWarp.h"

class WinPointerWarp : public IPointerWarp {
public:
    bool MoveBy(int dx, int dy) override;
};
