// The bytes of a language file, or of any file chosen as one.
#include "FuzzCheck.h"
#include "core/config/IniLines.h"
#include "core/config/LanguageFile.h"
#include "core/config/UiTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string text = DecodeTextFileBytes(FuzzBytes(data, size));
    const std::string dataDir = "/opt/huebird/";
    LanguageInUse language;
    language.helpPage = "/opt/huebird/help/help_en.htm";
    std::size_t captions = 0;
    TUiTexts texts;
    ApplyLanguageText(text, dataDir, language, texts, [&](std::string_view key, const std::string& caption) {
        FUZZ_CHECK(IsMenuCaptionKey(key));
        FUZZ_CHECK(caption.find('\n') == std::string::npos && caption.find('\r') == std::string::npos);
        ++captions;
    });
    // Every caption is set once in English, then again by each line that names it.
    FUZZ_CHECK(captions >= MenuCaptionKeys().size());
    FUZZ_CHECK(captions <= MenuCaptionKeys().size() + SplitTextLines(text).size());
    FUZZ_CHECK(language.helpPage.rfind(dataDir, 0) == 0);
    FUZZ_CHECK(language.code.find('\n') == std::string::npos);
    FUZZ_CHECK(texts.SBadFile.find('\r') == std::string::npos);
    FUZZ_CHECK(!texts.SBadFile.empty() && !texts.SHotKeyNotRegistered.empty());
    return 0;
}
