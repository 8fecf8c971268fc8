// The bytes of a list file or a GIMP palette. The first byte picks the
// notation of the file written back, the second the decimal separator.
#include "FuzzCheck.h"
#include "core/color/ColorCodes.h"
#include "core/exchange/ColorListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes = FuzzBytes(data, size);
    const ColorListReadResult read = ReadColorListText(bytes);
    if (read.status != ColorListStatus::Loaded) {
        FUZZ_CHECK(read.status == ColorListStatus::BadContent);
        FUZZ_CHECK(read.colors.empty());
        return 0;
    }
    FUZZ_CHECK(!read.colors.empty());

    // Saving what was loaded and loading it again loses nothing, in any notation.
    const int format = size > 0 ? data[0] % FormatCount : 0;
    const char separator = size > 1 && (data[1] & 1) ? ',' : '.';
    const std::string saved = ColorListFileText(read.colors, format, separator);
    const ColorListReadResult again = ReadColorListText(saved);
    FUZZ_CHECK(again.status == ColorListStatus::Loaded);
    FUZZ_CHECK(again.colors == read.colors);

    const std::string clip = ColorListClipboardText(read.colors, format, separator);
    FUZZ_CHECK(clip.size() >= 2 * read.colors.size());
    return 0;
}
