#include "core/update/UpdateVerdict.h"

#include <algorithm>

#include "core/text/Digits.h"
#include "core/update/Scrambling.h"

const std::string_view UpdateUrlTailDigits =
    "846250360524407583642477021927041834252360572380586706362011862165833250";

std::string UpdateServiceAddress(std::string_view leadingDigits)
{
    return UnscrambleDigits(leadingDigits) + UnscrambleDigits(UpdateUrlTailDigits);
}

std::string UpdateQuery(std::string_view address, std::string_view fileVersion)
{
    std::string query = std::string(address) + "?A=" + ExtractDigits(fileVersion);
    std::replace(query.begin(), query.end(), ' ', '_');
    return query;
}

namespace {
// Position counted from 1, or 0 when absent.
std::size_t PositionOf(std::string_view text, std::string_view part)
{
    const std::size_t at = text.find(part);
    return at == std::string_view::npos ? 0 : at + 1;
}
} // namespace

std::string ExtractVerdict(std::string_view body)
{
    const std::size_t start = PositionOf(body, "<ver>") + 5;
    const std::size_t end = PositionOf(body, "</ver>");
    if (end <= start)
        return {};
    return std::string(body.substr(start - 1, end - start));
}

bool IsCurrentVersion(std::string_view verdict)
{
    return verdict != OldVersionVerdict;
}
