// The bytes of a settings file edited by hand.
#include "FuzzCheck.h"
#include "capture/ShortcutText.h"
#include "config/IniLines.h"
#include "config/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string text = DecodeTextFileBytes(FuzzBytes(data, size));
    FUZZ_CHECK(IsValidUtf8(text));
    FUZZ_CHECK(DecodeTextFileBytes(text) == text || text.rfind("\xEF\xBB\xBF", 0) == 0);

    const TSettingsValues values = ReadSettingsText(text);

    // Whatever was read is written at close and read back unchanged.
    TSavedSettings saved;
    saved.LanguageCode = values.LanguageCode.value_or("en");
    saved.RunCount = NextRunCount(values.RunCount.value_or(0));
    FUZZ_CHECK(saved.RunCount >= values.RunCount.value_or(0));
    saved.ShowNewVersion = values.ShowNewVersion.value_or(false);
    saved.FormatIndex = values.FormatIndex.value_or(-1);
    saved.HotKeyText = ShortcutName(ShortcutFromName(values.HotKeyText.value_or("")));
    const std::string written = SettingsFileText(saved);

    const TSettingsValues back = ReadSettingsText(written);
    FUZZ_CHECK(back.RunCount == saved.RunCount);
    FUZZ_CHECK(back.ShowNewVersion == saved.ShowNewVersion);
    FUZZ_CHECK(back.FormatIndex == saved.FormatIndex);
    // No hotkey is written as the default one.
    FUZZ_CHECK(back.HotKeyText == (saved.HotKeyText.empty() ? std::string(kDefaultHotKeyText) : saved.HotKeyText));
    FUZZ_CHECK(back.LanguageCode.value_or("") == saved.LanguageCode);
    return 0;
}
