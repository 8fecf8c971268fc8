#include "core/exchange/ColorListFile.h"

#include <array>
#include <charconv>

#include "core/color/ColorCodes.h"

namespace {

// Spaces and control characters, as trimming understands them.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

bool IsFieldSeparator(char c)
{
    return c == ' ' || c == '\t';
}

bool ParseInt32(const char* begin, const char* end, std::int32_t& value)
{
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end && begin != end;
}

void AppendPadded3(std::string& out, unsigned value)
{
    char digits[4];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t length = static_cast<std::size_t>(result.ptr - digits);
    if (length < 3)
        out.append(3 - length, ' ');
    out.append(digits, length);
}

void AppendColorListLine(std::string& out, Rgb color, std::string_view code)
{
    AppendPadded3(out, color.r);
    out += ' ';
    AppendPadded3(out, color.g);
    out += ' ';
    AppendPadded3(out, color.b);
    out += '\t';
    out += code;
}

enum class LineVerdict { Skip, Colour, Fail };

// One trimmed line that begins with a digit. Its fields are what NormalizeBlanks
// and a cut at each space would give: the runs of characters between runs of
// spaces and TABs.
LineVerdict ReadColourLine(const char* p, const char* end, Rgb& color)
{
    std::array<std::int32_t, 3> rgb{};
    std::size_t fieldCount = 0;
    while (p < end && fieldCount < 3) {
        const char* fieldEnd = p;
        while (fieldEnd < end && !IsFieldSeparator(*fieldEnd))
            ++fieldEnd;
        if (!ParseInt32(p, fieldEnd, rgb[fieldCount]) || rgb[fieldCount] < 0 || rgb[fieldCount] > 255) {
            // A lone word is skipped like any one-field line; only a real
            // colour line with a bad number, or one beyond a byte, fails.
            return fieldCount == 0 && fieldEnd == end ? LineVerdict::Skip : LineVerdict::Fail;
        }
        ++fieldCount;
        p = fieldEnd;
        while (p < end && IsFieldSeparator(*p))
            ++p;
    }
    if (fieldCount == 1)
        return LineVerdict::Skip;
    if (fieldCount == 2)
        return LineVerdict::Fail;
    color = {std::uint8_t(rgb[0]), std::uint8_t(rgb[1]), std::uint8_t(rgb[2])};
    return LineVerdict::Colour;
}

} // namespace

std::string NormalizeBlanks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\t')
            c = ' ';
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

std::string ColorListLine(Rgb color, std::string_view code)
{
    std::string out;
    AppendColorListLine(out, color, code);
    return out;
}

std::string ColorListFileText(const RgbList& list, int formatIndex, char decimalSeparator)
{
    std::string out;
    out.reserve(16 + list.size() * 32);
    out += "[RGB,";
    out += FormatShortName(formatIndex);
    out += "]\r\n";
    for (Rgb color : list) {
        AppendColorListLine(out, color, WriteColorCode(formatIndex, color, decimalSeparator).View());
        out += "\r\n";
    }
    return out;
}

std::string ColorListClipboardText(const RgbList& list, int formatIndex, char decimalSeparator)
{
    std::string out;
    out.reserve(list.size() * 20);
    for (Rgb color : list) {
        out += WriteColorCode(formatIndex, color, decimalSeparator).View();
        out += "\r\n";
    }
    return out;
}

std::string_view FileNamePart(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool HasColorListExtension(std::string_view path)
{
    const std::string_view name = FileNamePart(path);
    const std::size_t point = name.rfind('.');
    if (point == std::string_view::npos)
        return false;
    std::string extension(name.substr(point));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return extension == ".txt" || extension == ".gpl";
}

ColorListReadResult ReadColorListText(std::string_view bytes, const Progress& progress)
{
    constexpr std::size_t kProgressBytes = std::size_t(1) << 20;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());

    ColorListReadResult result;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    const char* nextReport = p + kProgressBytes;
    while (p < end) {
        if (progress && p >= nextReport) {
            nextReport = p + kProgressBytes;
            if (!progress(ProgressStep(std::size_t(p - bytes.data()), bytes.size())))
                return {ColorListStatus::Cancelled, {}, {}};
        }
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        const char* next = lineEnd;
        if (next < end)
            next += (*next == '\r' && next + 1 < end && next[1] == '\n') ? 2 : 1;

        const char* first = p;
        const char* last = lineEnd;
        while (first < last && IsBlank(*first))
            ++first;
        while (last > first && IsBlank(last[-1]))
            --last;
        p = next;
        if (first == last || *first < '0' || *first > '9')
            continue;

        Rgb color;
        switch (ReadColourLine(first, last, color)) {
        case LineVerdict::Skip:
            break;
        case LineVerdict::Colour:
            AppendColor(color, result.colors);
            break;
        case LineVerdict::Fail:
            return {ColorListStatus::BadContent, {}, {}};
        }
    }
    if (result.colors.empty())
        return {ColorListStatus::BadContent, {}, {}};
    result.status = ColorListStatus::Loaded;
    return result;
}

ColorListReadResult ReadColorListFile(const std::string& path, const Progress& progress)
{
    if (!HasColorListExtension(path))
        return {ColorListStatus::BadExtension, {}, {}};
    // Reading takes the first half of the steps, reading through the second.
    const auto half = [&](int offset) -> Progress {
        if (!progress)
            return {};
        return [&progress, offset](int step) { return progress(offset + step / 2); };
    };
    std::string bytes;
    const FileResult file = ReadRegularFile(path, kMaxColorListFileBytes, bytes, half(0));
    if (file.fault == FileFault::Cancelled)
        return {ColorListStatus::Cancelled, {}, {}};
    if (!file.ok())
        return {ColorListStatus::Unreadable, {}, file};
    return ReadColorListText(bytes, half(kProgressSteps / 2));
}
