#include "platform/x11/X11PointerWarp.h"

#include <cstdint>
#include <cstdlib>

bool X11PointerWarp::MoveBy(int dx, int dy)
{
    // Without a destination window the offsets move the pointer from its place.
    const xcb_void_cookie_t cookie
        = xcb_warp_pointer_checked(connection_, XCB_NONE, XCB_NONE, 0, 0, 0, 0, std::int16_t(dx), std::int16_t(dy));
    xcb_generic_error_t* error = xcb_request_check(connection_, cookie);
    const bool moved = error == nullptr;
    std::free(error);
    return moved;
}
