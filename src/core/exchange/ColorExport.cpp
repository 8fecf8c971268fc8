#include "core/exchange/ColorExport.h"

#include <array>
#include <charconv>

#include "core/color/ColorCodes.h"
#include "core/color/ColorNames.h"
#include "core/exchange/ColorListFile.h"

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

void AppendCode(std::string& out, int formatIndex, Rgb color, char separator)
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

// Each format is a head, one item per colour and a tail.
void Head(std::string& out, ExportFormat format, const ExportSettings& s)
{
    switch (format) {
    case ExportFormat::GimpPalette:
        out += "GIMP Palette\nName: ";
        for (char c : s.paletteName)
            out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
        out += "\n#\n# Huebird Lite, colours named by their ";
        out += FormatCaption(s.formatIndex);
        out += " code\n";
        break;
    case ExportFormat::Css:
    case ExportFormat::Scss: {
        const bool scss = format == ExportFormat::Scss;
        out += scss ? "// " : "/* ";
        out += "Huebird Lite, comments in ";
        out += FormatCaption(s.formatIndex);
        out += scss ? "\n" : " */\n:root {\n";
        break;
    }
    case ExportFormat::Json:
        out += '[';
        break;
    case ExportFormat::Codes:
        break;
    }
}

// The item of the colour at index (from 0).
void Item(std::string& out, ExportFormat format, const ExportSettings& s, std::size_t index, Rgb color)
{
    switch (format) {
    case ExportFormat::GimpPalette:
        out += ColorListLine(color, WriteColorCode(s.formatIndex, color, s.decimalSeparator).View());
        out += '\n';
        break;
    case ExportFormat::Css:
    case ExportFormat::Scss: {
        // CSS and SCSS differ only in how a variable and a comment are written.
        const bool scss = format == ExportFormat::Scss;
        out += scss ? "$color-" : "  --color-";
        AppendNumber(out, index + 1);
        out += ": ";
        AppendCode(out, kHtml, color, s.decimalSeparator);
        out += scss ? "; // " : "; /* ";
        AppendCode(out, s.formatIndex, color, s.decimalSeparator);
        out += " (";
        out += ColorNameText(NearestCssColorName(color));
        out += scss ? ")\n" : ") */\n";
        break;
    }
    case ExportFormat::Json:
        out += index == 0 ? "\n  {" : ",\n  {";
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
        break;
    case ExportFormat::Codes:
        AppendCode(out, s.formatIndex, color, s.decimalSeparator);
        out += '\n';
        break;
    }
}

void Tail(std::string& out, ExportFormat format, std::size_t count)
{
    if (format == ExportFormat::Css)
        out += "}\n";
    else if (format == ExportFormat::Json)
        out += count == 0 ? "]\n" : "\n]\n";
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

bool ExportColorListPieces(const RgbList& list, ExportFormat format, const ExportSettings& settings,
                           const std::function<bool(std::string_view piece, std::size_t colorsDone)>& take)
{
    ExportSettings s = settings;
    if (s.formatIndex < 0 || s.formatIndex >= FormatCount)
        s.formatIndex = kHtml;
    std::string piece;
    piece.reserve(kExportPieceBytes + 1024);
    Head(piece, format, s);
    for (std::size_t i = 0; i < list.size(); ++i) {
        Item(piece, format, s, i, list[i]);
        if (piece.size() >= kExportPieceBytes) {
            if (!take(piece, i + 1))
                return false;
            piece.clear();
        }
    }
    Tail(piece, format, list.size());
    return take(piece, list.size());
}

std::string ExportColorList(const RgbList& list, ExportFormat format, const ExportSettings& settings)
{
    std::string whole;
    ExportColorListPieces(list, format, settings, [&](std::string_view piece, std::size_t) {
        whole += piece;
        return true;
    });
    return whole;
}

FileResult ExportColorListFile(const std::string& path, const RgbList& list, ExportFormat format,
                               const ExportSettings& settings, const Progress& progress)
{
    RegularFileWriter writer(path);
    if (!writer.Result().ok())
        return writer.Result();
    const bool finished = ExportColorListPieces(list, format, settings, [&](std::string_view piece, std::size_t done) {
        writer.Write(piece);
        return writer.Result().ok() && (!progress || progress(ProgressStep(done, list.size())));
    });
    if (!finished && writer.Result().ok())
        return {FileFault::Cancelled, 0};
    return writer.Commit();
}
