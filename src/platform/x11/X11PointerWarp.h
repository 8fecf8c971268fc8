#pragma once
// Moves the pointer on the X server (a warp relative to where it is, in the
// screen's pixels).
#include <xcb/xcb.h>

#include "platform/PointerWarp.h"

class X11PointerWarp : public IPointerWarp {
public:
    explicit X11PointerWarp(xcb_connection_t* connection) : connection_(connection) {}
    bool MoveBy(int dx, int dy) override;

private:
    xcb_connection_t* connection_;
};
