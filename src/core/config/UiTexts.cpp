#include "core/config/UiTexts.h"

#include "core/config/IniLines.h"
#include "core/config/ProgramInfo.h"

namespace {

const std::map<std::string, std::string, std::less<>>& EnglishEntries()
{
    static const std::map<std::string, std::string, std::less<>> entries = [] {
        std::map<std::string, std::string, std::less<>> read;
        for (std::string_view raw : SplitTextLines(kBuiltInEnglishText)) {
            const std::string_view line = TrimIniLine(raw);
            if (!IsIniComment(line) && line.find('=') != std::string_view::npos)
                read.insert_or_assign(std::string(GetIniKey(line)), std::string(GetIniValue(line)));
        }
        return read;
    }();
    return entries;
}

} // namespace

UiTexts::UiTexts() : entries_(EnglishEntries()) {}

const std::string& UiTexts::text(UiTextKey key) const
{
    static const std::string none;
    const auto found = entries_.find(key.name());
    return found == entries_.end() ? none : found->second;
}

std::string UiTexts::caption(std::string_view key) const
{
    const auto found = entries_.find(key);
    if (found == entries_.end())
        return {};
    return key == "MenuWebsite" ? found->second + " " + kProgramName : found->second;
}

void UiTexts::set(std::string_view key, std::string_view value)
{
    const auto found = entries_.find(key);
    if (found != entries_.end() && !value.empty())
        found->second = value;
}
