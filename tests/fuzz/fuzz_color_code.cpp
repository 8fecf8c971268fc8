// A typed or pasted code in any notation. The first byte picks the notation
// (16 choices: the fifteen and "none selected"), the second the decimal
// separator; the rest is the text of the code field.
#include <cstdint>

#include "FuzzCheck.h"
#include "core/color/ColorCodes.h"

namespace {
// Notations whose codes carry the three bytes exactly.
bool IsExactNotation(int format) { return format == 0 || format == 1 || format == 6 || format == 7; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int choice = data[0] % (FormatCount + 1);
    const std::uint8_t format = choice == FormatCount ? 255 : std::uint8_t(choice);
    const char separator = (data[1] & 1) ? ',' : '.';
    const std::string_view text = FuzzBytes(data + 2, size - 2);

    const std::string normalized = NormalizeColorInput(text, format);
    const bool minusKept = NotationHasNegativeNumbers(format);
    for (char c : normalized)
        FUZZ_CHECK(c == ' ' || c == ',' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') ||
                   (c >= 'a' && c <= 'f') || (minusKept && c == '-'));
    FUZZ_CHECK(normalized.find("  ") == std::string::npos);

    const ColorReadResult read = ReadColorCode(text, format, separator);
    if (read.status != ReadStatus::Read) {
        FUZZ_CHECK(read.color == kWhite);
        return 0;
    }
    FUZZ_CHECK(format < FormatCount);

    // What the program writes for the colour it read must read back, typed
    // into the code field (every "," and "." becomes the separator) or pasted
    // as it stands.
    const std::string code = std::string(WriteColorCode(format, read.color, separator).View());
    FUZZ_CHECK(WriteColorCode(format, read.color, separator).View() == code);
    for (const std::string& entered : {code, TypedCodeText(code, separator)}) {
        const ColorReadResult again = ReadColorCode(entered, format, separator);
        FUZZ_CHECK(again.status == ReadStatus::Read);
        if (IsExactNotation(format))
            FUZZ_CHECK(again.color == read.color);
    }
    return 0;
}
