#include "core/text/Digits.h"

std::string ExtractDigits(std::string_view text)
{
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}
