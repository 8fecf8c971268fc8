// The body of the update service's reply, from a server that may say anything.
#include "FuzzCheck.h"
#include "core/update/UpdateVerdict.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view body = FuzzBytes(data, size);
    const std::string verdict = ExtractVerdict(body);
    if (!verdict.empty()) {
        FUZZ_CHECK(body.find(verdict) != std::string_view::npos);
        FUZZ_CHECK(body.find("</ver>") != std::string_view::npos);
    }
    FUZZ_CHECK(IsCurrentVersion(verdict) == (verdict != OldVersionVerdict));

    const std::string query = UpdateQuery(body, body);
    FUZZ_CHECK(query.find(' ') == std::string::npos);
    return 0;
}
