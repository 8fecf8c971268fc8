#include "platform/KeyNames.h"

std::string Latin1KeyName(std::uint32_t code)
{
    const bool printable = (code > 0x20 && code < 0x7F) || (code > 0xA0 && code <= 0xFF);
    if (!printable)
        return {};
    std::uint32_t c = code;
    if (c >= 'a' && c <= 'z')
        c -= 0x20;
    else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        c -= 0x20;
    if (c < 0x80)
        return std::string(1, char(c));
    return {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
}
