// Maintainer tool: turns texts (the parts of the update service's address)
// into the digit strings the program stores, so the address can be changed.
//
//   scramble-url "http://huebird.example.com/" "update/huebird-check.php"
//
// prints one digit string per argument, each scrambled on its own (the key
// position restarts, as the program unscrambles each string separately).
// Paste the first line into kStoredUpdateUrlDigits and the second into
// UpdateUrlTailDigits; the program's address is the two texts joined.
#include <iostream>
#include <string>
#include <string_view>

#include "core/update/Scrambling.h"

namespace {

// Each character as its three-digit code, each digit raised by its key digit.
bool Scramble(std::string_view text, std::string& scrambled)
{
    const auto& key = KeyDigits();
    std::size_t k = 0;
    scrambled.clear();
    for (char ch : text) {
        const int code = static_cast<unsigned char>(ch);
        if (code == 0)
            return false;
        const int parts[3] = {code / 100, code / 10 % 10, code % 10};
        for (int digit : parts) {
            scrambled += char('0' + (digit + key[k]) % 10);
            k = (k + 1) % key.size();
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: scramble-url TEXT [TEXT...]\n";
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::string scrambled;
        const std::string_view text = argv[i];
        if (text.empty() || !Scramble(text, scrambled) || UnscrambleDigits(scrambled) != text) {
            std::cerr << "scramble-url: cannot scramble \"" << text << "\"\n";
            return 1;
        }
        std::cout << scrambled << '\n';
    }
    return 0;
}
