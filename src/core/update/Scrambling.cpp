#include "core/update/Scrambling.h"

#include <chrono>
#include <random>

const std::string_view KeyText = "k#Hu3b!rdk~";

namespace {

// Shuffled once and fixed for good: changing it changes the key digits and
// makes every stored digit string unreadable.
constexpr std::array<unsigned char, 256> kKeyCharTable = {
      0,  73, 101, 156, 127,  17,  58, 178,  41, 197, 224, 227, 222, 223,  96, 165,
     32, 145,  89, 102,  40, 185, 110, 247,   6, 146, 233,  24, 139, 117, 202, 201,
     10,  52, 225,  53,  18, 244, 191, 131, 200, 186, 254, 237, 220, 184,  65, 167,
    182, 212,  38,  50, 251, 132, 238,  88,  33,  68, 221, 104, 115,  74, 170,   1,
    155, 242, 250, 105, 153, 124, 171, 206,  48, 130, 166, 210, 108, 109,  30, 164,
     42, 147, 218, 199,  72, 181,  75, 196, 175, 103, 183, 141, 214, 100, 134,   9,
     44,  67,  56,  34,  57,  83, 157, 193,  15, 113, 187,  51,  94, 129,  21, 209,
    133,  79,  49,   5,  47,  54,  93, 116, 217, 235, 179,  78,  22, 192,  55, 173,
    198,  61, 215,  35, 149,  39,  11, 207, 226,  28,  84,  16, 249,  23, 188,  60,
     19,  85,  99, 228, 142, 144, 154, 194, 128, 106,  77,  26, 136, 122,  71, 123,
    148,  64, 232, 231,  92,  69,  76, 253,  37, 169,  31, 140, 204,  70, 252, 243,
     66, 241, 190, 234,  82, 213, 158, 168,  59, 174, 203, 150,  80, 121, 163, 211,
     95, 159,  29, 236,  43, 205, 245,  91,  25, 152, 119, 135, 248,  63, 239, 219,
      7, 216, 107, 177,  36, 118, 111, 189, 240, 162, 120, 114,  20,  14,  86,  13,
      2, 255, 125,  98,   4, 208, 143, 176, 137, 246,  45,  81, 229, 151, 230,  27,
     46,  97, 195,   3, 180,  87,  90,  12, 138, 160, 172, 161,  62,   8, 112, 126,
};

std::array<std::uint8_t, KeyDigitCount> g_keyDigits{};

// The key digits are ready before main() and before any reader exists.
const bool g_keyDigitsReady = (InitKeyDigits(), true);

} // namespace

unsigned char KeyCharTable(int code)
{
    return code >= 1 && code <= 255 ? kKeyCharTable[std::size_t(code)] : 0;
}

std::string MapKeyText(std::string_view text)
{
    std::string mapped(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        mapped[text.size() - 1 - i] = char(KeyCharTable(static_cast<unsigned char>(text[i])));
    return mapped;
}

void InitKeyDigits()
{
    const std::string mapped = MapKeyText(KeyText);
    for (std::size_t j = 0; j < mapped.size() && j < g_keyDigits.size(); ++j)
        g_keyDigits[j] = IsDigitChar(mapped[j]) ? std::uint8_t(mapped[j] - '0') : 0;
}

const std::array<std::uint8_t, KeyDigitCount>& KeyDigits()
{
    (void)g_keyDigitsReady;
    return g_keyDigits;
}

bool IsDigitChar(char c)
{
    return c >= '0' && c <= '9';
}

std::string DigitsToText(std::string_view digits)
{
    std::mt19937 random(
        static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> anyCharacter(1, 254);

    std::string text;
    const std::size_t n = digits.size();
    std::size_t i = 0; // zero-based start of the group
    do {
        const std::string_view group = digits.substr(std::min(i, n), 3);
        int value = 0;
        bool readable = true;
        for (char c : group) {
            if (!IsDigitChar(c))
                readable = false;
            else
                value = value * 10 + (c - '0');
        }
        text += char(readable && value >= 1 && value <= 255 ? value : anyCharacter(random));
        i += 3;
    } while (i + 1 < n); // a single digit left over after a full group is not read
    return text;
}

std::string UnscrambleDigits(std::string_view scrambled)
{
    if (scrambled.empty())
        return {};
    const auto& key = KeyDigits();
    std::string digits;
    digits.reserve(scrambled.size());
    std::size_t k = 0;
    for (char c : scrambled) {
        if (!IsDigitChar(c))
            continue;
        int r = (c - '0') - key[k];
        if (r < 0)
            r += 10;
        digits += char('0' + r);
        k = (k + 1) % key.size();
    }
    return DigitsToText(digits);
}
