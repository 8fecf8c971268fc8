#include "exchange/ColorExport.h"

#include <array>
#include <charconv>

#include "color/ColorCodes.h"
#include "color/ColorNames.h"
#include "exchange/ColorListFile.h"

namespace {

struct FormatInfo {
    ExportFormat format;
    std::string_view name;
    std::string_view extension;
};

// In the order of the enumeration.
constexpr std::array<FormatInfo, 5> kFormats = {{
    {ExportFormat::GimpPalette, "gpl", "gpl"},
    {ExportFormat::Css, "css", "css"},
    {ExportFormat::Scss, "scss", "scss"},
    {ExportFormat::Json, "json", "json"},
    {ExportFormat::Codes, "codes", "txt"},
}};

constexpr std::array<ExportFormat, 5> kFormatOrder = {ExportFormat::GimpPalette, ExportFormat::Css,
                                                      ExportFormat::Scss, ExportFormat::Json,
                                                      ExportFormat::Codes};

constexpr int kHtml = 0;

const FormatInfo& Info(ExportFormat format)
{
    return kFormats[static_cast<std::size_t>(format)];
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

void AppendNumber(std::string& out, std::size_t value)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendCode(std::string& out, int formatIndex, TColor color, char separator)
{
    out += WriteColorCode(formatIndex, color, separator).View();
}

// A JSON string: quotes, backslashes and control characters escaped; other
// bytes as they are (the codes are ASCII, names UTF-8).
void AppendJsonString(std::string& out, std::string_view text)
{
    constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string GimpPalette(const TColorArray& list, const ExportSettings& s)
{
    std::string out = "GIMP Palette\nName: ";
    for (char c : s.paletteName)
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    out += "\n#\n# Huebird Lite, colours named by their ";
    out += FormatCaption(s.formatIndex);
    out += " code\n";
    for (TColor color : list) {
        out += ColorListLine(color, WriteColorCode(s.formatIndex, color, s.decimalSeparator).View());
        out += '\n';
    }
    return out;
}

// CSS and SCSS differ only in how a variable and a comment are written.
std::string StyleSheet(const TColorArray& list, const ExportSettings& s, bool scss)
{
    std::string out = scss ? "// " : "/* ";
    out += "Huebird Lite, comments in ";
    out += FormatCaption(s.formatIndex);
    out += scss ? "\n" : " */\n:root {\n";
    std::size_t number = 0;
    for (TColor color : list) {
        out += scss ? "$color-" : "  --color-";
        AppendNumber(out, ++number);
        out += ": ";
        AppendCode(out, kHtml, color, s.decimalSeparator);
        out += scss ? "; // " : "; /* ";
        AppendCode(out, s.formatIndex, color, s.decimalSeparator);
        out += " (";
        out += ColorNameText(NearestCssColorName(color));
        out += scss ? ")\n" : ") */\n";
    }
    if (!scss)
        out += "}\n";
    return out;
}

std::string Json(const TColorArray& list, const ExportSettings& s)
{
    std::string out = "[";
    const char* separator = "\n  {";
    for (TColor color : list) {
        out += separator;
        separator = ",\n  {";
        for (int i = 0; i < FormatCount; ++i) {
            if (i > 0)
                out += ", ";
            AppendJsonString(out, FormatShortName(i));
            out += ": ";
            AppendJsonString(out, WriteColorCode(i, color, s.decimalSeparator).View());
        }
        out += ", \"name\": ";
        AppendJsonString(out, NearestCssColorName(color).name);
        out += '}';
    }
    out += list.empty() ? "]\n" : "\n]\n";
    return out;
}

std::string Codes(const TColorArray& list, const ExportSettings& s)
{
    std::string out;
    for (TColor color : list) {
        AppendCode(out, s.formatIndex, color, s.decimalSeparator);
        out += '\n';
    }
    return out;
}

} // namespace

std::span<const ExportFormat> ExportFormats()
{
    return kFormatOrder;
}

std::string_view ExportFormatName(ExportFormat format)
{
    return Info(format).name;
}

std::optional<ExportFormat> ExportFormatFromName(std::string_view name)
{
    for (const FormatInfo& info : kFormats) {
        if (info.name.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i)
            same = AsciiLower(name[i]) == info.name[i];
        if (same)
            return info.format;
    }
    return std::nullopt;
}

std::string_view ExportFormatExtension(ExportFormat format)
{
    return Info(format).extension;
}

std::string ExportColorList(const TColorArray& list, ExportFormat format, const ExportSettings& settings)
{
    ExportSettings s = settings;
    if (s.formatIndex < 0 || s.formatIndex >= FormatCount)
        s.formatIndex = kHtml;
    switch (format) {
    case ExportFormat::GimpPalette:
        return GimpPalette(list, s);
    case ExportFormat::Css:
        return StyleSheet(list, s, false);
    case ExportFormat::Scss:
        return StyleSheet(list, s, true);
    case ExportFormat::Json:
        return Json(list, s);
    case ExportFormat::Codes:
        return Codes(list, s);
    }
    return {};
}
