#include "platform/x11/X11KeyNames.h"

#include "platform/KeySyms.h"

#include <X11/Xlib.h>
#include <cstdlib>
#include <memory>
#include <xcb/xcb_keysyms.h>

std::string X11KeyNames::KeyName(QKeyCombination key)
{
    const std::uint32_t keySym = KeySymOf(key);
    if (keySym == 0)
        return {};
    std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t*)> symbols(
        xcb_key_symbols_alloc(connection_), xcb_key_symbols_free);
    if (!symbols)
        return {};
    std::unique_ptr<xcb_keycode_t, void (*)(void*)> codes(
        xcb_key_symbols_get_keycode(symbols.get(), keySym), std::free);
    if (!codes || codes.get()[0] == XCB_NO_SYMBOL)
        return {};
    // The key's own unshifted symbol names it: on a layout where the keysym
    // sits on a shifted level, the key is still called by its base symbol.
    xcb_keysym_t base = xcb_key_symbols_get_keysym(symbols.get(), codes.get()[0], 0);
    if (base == XCB_NO_SYMBOL)
        base = keySym;
    if (std::string name = Latin1KeyName(base); !name.empty())
        return name;
    const char* name = XKeysymToString(base);
    return name ? std::string(name) : std::string();
}
