// The "HK_CAPTURE" value of a settings file, and any shortcut value.
#include <cstdint>

#include "FuzzCheck.h"
#include "core/config/ShortcutText.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const TShortCut read = ShortcutFromName(FuzzBytes(data, size));
    if (read != 0) {
        FUZZ_CHECK((read & scKeyMask) != 0);
        const std::string name = ShortcutName(read);
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(ShortcutFromName(name) == read);
    }
    if (size >= 2) {
        const TShortCut value = TShortCut(data[0] | data[1] << 8);
        const std::string name = ShortcutName(value);
        if (!name.empty()) {
            const TShortCut back = ShortcutFromName(name);
            FUZZ_CHECK((back & ~scKeyMask) == (value & ~scKeyMask));
            FUZZ_CHECK(ShortcutName(back) == name);
        }
    }
    return 0;
}
