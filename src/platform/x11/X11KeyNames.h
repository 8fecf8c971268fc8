#pragma once
#include <xcb/xcb.h>

#include "platform/KeyNames.h"

// Asks the X server for the current keyboard mapping at each call, so a
// layout switched while the program runs is followed.
class X11KeyNames : public IKeyNames {
public:
    explicit X11KeyNames(xcb_connection_t* connection) : connection_(connection) {}
    std::string KeyName(QKeyCombination key) override;

private:
    xcb_connection_t* connection_;
};
