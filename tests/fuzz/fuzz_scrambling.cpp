// Scrambled digit strings and digit texts.
#include "FuzzCheck.h"
#include "core/update/Scrambling.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    InitKeyDigits();
    const std::string_view input = FuzzBytes(data, size);
    const std::string text = UnscrambleDigits(input);
    FUZZ_CHECK(input.empty() == text.empty());
    FUZZ_CHECK(text.find('\0') == std::string::npos);

    const std::string chars = DigitsToText(input);
    FUZZ_CHECK(!chars.empty());
    FUZZ_CHECK(chars.size() <= size / 3 + 1);
    FUZZ_CHECK(chars.find('\0') == std::string::npos);
    return 0;
}
