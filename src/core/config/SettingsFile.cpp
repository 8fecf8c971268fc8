#include "core/config/SettingsFile.h"

#include <charconv>
#include <limits>

#include "core/color/AreaAverage.h"
#include "core/config/IniLines.h"

namespace {
constexpr std::string_view kLineEnd = "\r\n";

std::string DecimalText(std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
} // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text)
{
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-') || text.starts_with('+'))
            return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

TSettingsValues ReadSettingsText(std::string_view text)
{
    TSettingsValues values;
    for (std::string_view raw : SplitTextLines(text)) {
        const std::string_view line = TrimIniLine(raw);
        if (IsIniComment(line))
            continue;
        const std::string_view value = GetIniValue(line);
        if (IsIniKey("Rns", line)) {
            if (const auto n = ParseIniInteger(value))
                values.RunCount = *n;
        }
        if (IsIniKey("Language", line))
            values.LanguageCode = std::string(value);
        if (IsIniKey("ShowNewVersion", line))
            values.ShowNewVersion = IniTextToBool(value);
        if (IsIniKey("CBX_FormatCapture", line)) {
            if (const auto n = ParseIniInteger(value))
                values.FormatIndex = *n;
        }
        if (IsIniKey("HK_CAPTURE", line))
            values.HotKeyText = std::string(value);
        if (IsIniKey("SampleSize", line)) {
            if (const auto n = ParseIniInteger(value))
                values.SampleSide = *n;
        }
        if (IsIniKey("ScreenCastToken", line))
            values.ScreenCastToken = std::string(value);
    }
    return values;
}

void ApplySettingsText(std::string_view text, Settings& settings)
{
    const TSettingsValues values = ReadSettingsText(text);
    settings.runCount = values.RunCount.value_or(settings.runCount);
    settings.language = values.LanguageCode.value_or(settings.language);
    settings.showNewVersion = values.ShowNewVersion.value_or(settings.showNewVersion);
    settings.notationIndex = values.FormatIndex.value_or(settings.notationIndex);
    settings.hotkeyText = values.HotKeyText.value_or(std::string());
    settings.sampleSide = ValidSampleSide(values.SampleSide.value_or(1));
    settings.screenCastToken = values.ScreenCastToken.value_or(std::string());
}

std::string DefaultSettingsText()
{
    std::string text;
    for (std::string_view line : {"[General]", "Language=en", "Rns=0", "ShowNewVersion=True", "",
                                  "[Interface]", "CBX_FormatCapture=0", "[Preferences]",
                                  "HK_CAPTURE=Alt+C"}) {
        text += line;
        text += kLineEnd;
    }
    return text;
}

std::string SettingsFileText(const Settings& s)
{
    const std::string lines[] = {
        "[General]",
        "Language=" + s.language,
        "Rns=" + DecimalText(s.runCount),
        "ShowNewVersion=" + BoolToIniText(s.showNewVersion),
        "",
        "[Interface]",
        "CBX_FormatCapture=" + DecimalText(s.notationIndex),
        "",
        "[Preferences]",
        // An empty value would be read back as no hotkey at all.
        "HK_CAPTURE=" + (s.hotkeyText.empty() ? std::string(kDefaultHotKeyText) : s.hotkeyText),
    };
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += kLineEnd;
    }
    if (ValidSampleSide(s.sampleSide) != 1) {
        text += "SampleSize=" + DecimalText(s.sampleSide);
        text += kLineEnd;
    }
    // A token is the desktop's own text: one that would break the line is not kept.
    if (!s.screenCastToken.empty() && s.screenCastToken.find_first_of("\r\n") == std::string::npos) {
        text += "ScreenCastToken=" + s.screenCastToken;
        text += kLineEnd;
    }
    return text;
}

std::int32_t NextRunCount(std::int32_t runCount)
{
    return runCount == std::numeric_limits<std::int32_t>::max() ? runCount : runCount + 1;
}
