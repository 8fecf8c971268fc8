// Format texts from language files are data: a hostile "SBadFileFormat" or
// "SWarningOverwriteFile" with any arguments. Layout: one byte of argument
// kinds (bit set: a number), one byte for the separator, then the format text
// and up to four arguments, separated by NUL bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/config/MessageText.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned kinds = data[0];
    const char separator = (data[1] & 1) ? ',' : '.';
    std::vector<std::string> parts;
    std::string_view rest = FuzzBytes(data + 2, size - 2);
    while (parts.size() < 5) {
        const std::size_t nul = rest.find('\0');
        parts.emplace_back(rest.substr(0, nul));
        if (nul == std::string_view::npos)
            break;
        rest.remove_prefix(nul + 1);
    }
    while (parts.size() < 5)
        parts.emplace_back();

    auto arg = [&](int i) -> FormatArg {
        if (kinds & (1u << i)) {
            std::int64_t n = 0;
            std::memcpy(&n, parts[i + 1].data(), std::min<std::size_t>(parts[i + 1].size(), sizeof n));
            return n;
        }
        return parts[i + 1];
    };
    const std::string& format = parts[0];
    const std::string filled = FillFormatText(format, {arg(0), arg(1), arg(2), arg(3)});
    std::size_t budget = format.size();
    for (int i = 1; i <= 4; ++i)
        budget += std::max<std::size_t>(parts[i].size(), 20);
    FUZZ_CHECK(filled.size() <= budget);
    if (format.find('%') == std::string::npos)
        FUZZ_CHECK(filled == format);

    const std::string message = FormatMessageText(format, {arg(0), arg(1)}, separator);
    FUZZ_CHECK(message.size() <= budget);
    const std::string none = FillFormatText(format, {});
    FUZZ_CHECK(none.size() <= format.size());
    FUZZ_CHECK(RemoveDecimalZeros(none, separator).size() <= none.size());
    return 0;
}
