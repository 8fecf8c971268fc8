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
    UiTexts texts;
    ApplyLanguageText(text, dataDir, language, texts);
    FUZZ_CHECK(language.helpPage.rfind(dataDir, 0) == 0);
    FUZZ_CHECK(language.code.find('\n') == std::string::npos);
    for (const std::string_view key : {"MenuFile", "MenuWebsite", "PopupPaste"}) {
        const std::string caption = texts.caption(key);
        FUZZ_CHECK(!caption.empty() && caption.find('\n') == std::string::npos && caption.find('\r') == std::string::npos);
    }
    FUZZ_CHECK(texts.text("SBadFile").find('\r') == std::string::npos);
    FUZZ_CHECK(!texts.text("SBadFile").empty() && !texts.text("SHotKeyNotRegistered").empty());
    FUZZ_CHECK(texts.caption("FLanguage").empty());
    return 0;
}
