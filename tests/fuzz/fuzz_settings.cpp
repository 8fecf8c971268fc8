// The bytes of a settings file edited by hand.
#include "FuzzCheck.h"
#include "core/config/ShortcutText.h"
#include "core/config/IniLines.h"
#include "core/config/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string text = DecodeTextFileBytes(FuzzBytes(data, size));
    FUZZ_CHECK(IsValidUtf8(text));
    FUZZ_CHECK(DecodeTextFileBytes(text) == text || text.rfind("\xEF\xBB\xBF", 0) == 0);

    const TSettingsValues values = ReadSettingsText(text);

    // Whatever was read is written at close and read back unchanged.
    Settings saved;
    saved.language = values.LanguageCode.value_or("en");
    saved.runCount = NextRunCount(values.RunCount.value_or(0));
    FUZZ_CHECK(saved.runCount >= values.RunCount.value_or(0));
    saved.showNewVersion = values.ShowNewVersion.value_or(false);
    saved.notationIndex = values.FormatIndex.value_or(-1);
    saved.hotkeyText = ShortcutName(ShortcutFromName(values.HotKeyText.value_or("")));
    const std::string written = SettingsFileText(saved);

    const TSettingsValues back = ReadSettingsText(written);
    FUZZ_CHECK(back.RunCount == saved.runCount);
    FUZZ_CHECK(back.ShowNewVersion == saved.showNewVersion);
    FUZZ_CHECK(back.FormatIndex == saved.notationIndex);
    // No hotkey is written as the default one.
    FUZZ_CHECK(back.HotKeyText == (saved.hotkeyText.empty() ? std::string(kDefaultHotKeyText) : saved.hotkeyText));
    FUZZ_CHECK(back.LanguageCode.value_or("") == saved.language);
    // Read over the settings, the written text gives them back.
    Settings again;
    ApplySettingsText(written, again);
    FUZZ_CHECK(SettingsFileText(again) == written);
    return 0;
}
