#include "core/config/AutostartEntry.h"

#include "core/config/IniLines.h"

namespace {

bool HasControlCharacter(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// A string value of a desktop entry escapes its backslashes.
std::string EscapeValue(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

// One argument of the Exec key: quoted when it holds a reserved character,
// with '"', '`', '$' and '\' escaped inside the quotes, and '%' doubled.
std::string ExecArgument(std::string_view arg)
{
    constexpr std::string_view reserved = " \t\"'\\><~|&;$*?#()`";
    const bool quote = arg.empty() || arg.find_first_of(reserved) != std::string_view::npos;
    std::string out = quote ? "\"" : "";
    for (const char c : arg) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            out += '\\';
        out += c;
        if (c == '%')
            out += '%';
    }
    if (quote)
        out += '"';
    return out;
}

} // namespace

std::optional<std::string> AutostartEntryText(const std::vector<std::string>& command, std::string_view desktopId)
{
    if (command.empty())
        return std::nullopt;
    std::string exec;
    for (const std::string& arg : command) {
        if (HasControlCharacter(arg))
            return std::nullopt;
        if (!exec.empty())
            exec += ' ';
        exec += ExecArgument(arg);
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Huebird Lite\n"
           "Comment=Colour picker with a system-wide capture hotkey\n"
           "Icon=" + std::string(desktopId) + "\n"
           "TryExec=" + EscapeValue(command.front()) + "\n"
           "Exec=" + EscapeValue(exec) + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool AutostartEntryIsActive(std::string_view text)
{
    for (std::string_view raw : SplitTextLines(text)) {
        const std::string_view line = TrimIniLine(raw);
        if (line.starts_with('['))
            continue;
        const std::string_view key = TrimIniLine(GetIniKey(line));
        const std::string_view value = TrimIniLine(GetIniValue(line));
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return false;
    }
    return true;
}
