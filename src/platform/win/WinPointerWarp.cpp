#include "platform/win/WinPointerWarp.h"

#include <windows.h>

bool WinPointerWarp::MoveBy(int dx, int dy)
{
    POINT at;
    return GetCursorPos(&at) && SetCursorPos(at.x + dx, at.y + dy);
}
