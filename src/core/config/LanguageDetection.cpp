#include "core/config/LanguageDetection.h"

#include <charconv>
#include <cstdint>
#include <span>

namespace {

// The user's language is matched to a language file through the language
// identifiers of Windows (1036 is French (France)), which the program has
// always matched as plain digits: the identifier's decimal digits anywhere in
// those of a detected language's identifier. So Arabic (Saudi Arabia), 1025,
// meets Spanish (Peru), 10250, and is detected as Spanish.
struct WindowsLocale {
    std::string_view language;  // ISO 639
    std::string_view territory; // ISO 3166, or a UN M49 area where Windows has a regional variant
    std::uint16_t id;
};

// The detected languages, in the order the program has always searched them:
// where two match, the later wins. The first row of each language is its
// main variant.
constexpr WindowsLocale kDetected[] = {
    {"eu", "ES", 1069},
    {"br", "FR", 1150},
    {"zh", "CN", 2052}, {"zh", "SG", 4100}, {"zh", "TW", 1028}, {"zh", "HK", 3076}, {"zh", "MO", 5124},
    {"co", "FR", 1155},
    {"en", "US", 1033}, {"en", "GB", 2057}, {"en", "AU", 3081}, {"en", "BZ", 10249},
    {"en", "CA", 4105}, {"en", "029", 9225}, {"en", "HK", 15369}, {"en", "IN", 16393},
    {"en", "ID", 14345}, {"en", "IE", 6153}, {"en", "JM", 8201}, {"en", "MY", 17417},
    {"en", "NZ", 5129}, {"en", "PH", 13321}, {"en", "SG", 18441}, {"en", "ZA", 7177},
    {"en", "TT", 11273}, {"en", "ZW", 12297},
    {"fr", "FR", 1036}, {"fr", "BE", 2060}, {"fr", "CM", 11276}, {"fr", "CA", 3084},
    {"fr", "CD", 9228}, {"fr", "CI", 12300}, {"fr", "HT", 15372}, {"fr", "LU", 5132},
    {"fr", "ML", 13324}, {"fr", "MA", 14348}, {"fr", "015", 58380}, {"fr", "RE", 8204},
    {"fr", "SN", 10252}, {"fr", "CH", 4108}, {"fr", "029", 7180},
    {"de", "DE", 1031}, {"de", "AT", 3079}, {"de", "LI", 5127}, {"de", "LU", 4103}, {"de", "CH", 2055},
    {"he", "IL", 1037},
    {"it", "IT", 1040}, {"it", "CH", 2064},
    {"ja", "JP", 1041},
    {"pt", "BR", 1046}, {"pt", "PT", 2070},
    {"ru", "RU", 1049}, {"ru", "MD", 2073},
    {"es", "ES", 3082}, {"es", "AR", 11274}, {"es", "BO", 16394}, {"es", "CL", 13322},
    {"es", "CO", 9226}, {"es", "CR", 5130}, {"es", "DO", 7178}, {"es", "EC", 12298},
    {"es", "SV", 17418}, {"es", "GT", 4106}, {"es", "HN", 18442}, {"es", "419", 22538},
    {"es", "MX", 2058}, {"es", "NI", 19466}, {"es", "PA", 6154}, {"es", "PY", 15370},
    {"es", "PE", 10250}, {"es", "PR", 20490}, {"es", "US", 21514}, {"es", "UY", 14346},
    {"es", "VE", 8202},
    {"uk", "UA", 1058},
};

// Languages with an identifier but no language file: English.
constexpr WindowsLocale kUndetected[] = {
    {"ar", "SA", 1025}, {"bg", "BG", 1026}, {"ca", "ES", 1027}, {"cs", "CZ", 1029},
    {"da", "DK", 1030}, {"el", "GR", 1032}, {"fi", "FI", 1035}, {"hu", "HU", 1038},
    {"is", "IS", 1039}, {"ko", "KR", 1042}, {"nl", "NL", 1043}, {"nl", "BE", 2067},
    {"nb", "NO", 1044}, {"nn", "NO", 2068}, {"pl", "PL", 1045}, {"ro", "RO", 1048},
    {"hr", "HR", 1050}, {"sk", "SK", 1051}, {"sq", "AL", 1052}, {"sv", "SE", 1053},
    {"sv", "FI", 2077}, {"th", "TH", 1054}, {"tr", "TR", 1055}, {"id", "ID", 1057},
    {"sl", "SI", 1060}, {"et", "EE", 1061}, {"lv", "LV", 1062}, {"lt", "LT", 1063},
    {"fa", "IR", 1065}, {"vi", "VN", 1066}, {"hi", "IN", 1081}, {"ms", "MY", 1086},
    {"gl", "ES", 1110},
};

constexpr std::uint16_t kEnglishUnitedStates = 1033;

// The identifier of the locale; a territory the table lacks gives the
// language's main variant; a language it lacks, English (United States).
std::uint16_t WindowsLanguageId(std::string_view language, std::string_view territory)
{
    std::uint16_t mainVariant = 0;
    using Rows = std::span<const WindowsLocale>;
    for (const Rows rows : {Rows(kDetected), Rows(kUndetected)}) {
        for (const WindowsLocale& row : rows) {
            if (row.language != language)
                continue;
            if (row.territory == territory)
                return row.id;
            if (mainVariant == 0)
                mainVariant = row.id;
        }
    }
    return mainVariant != 0 ? mainVariant : kEnglishUnitedStates;
}

std::string_view Digits(std::uint16_t id, char (&buffer)[8])
{
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, unsigned(id));
    return {buffer, std::size_t(written.ptr - buffer)};
}

} // namespace

std::string LanguageFileCodeFor(std::string_view language, std::string_view territory)
{
    char userBuffer[8];
    const std::string_view user = Digits(WindowsLanguageId(language, territory), userBuffer);
    std::string_view code = "en";
    for (const WindowsLocale& row : kDetected) {
        char rowBuffer[8];
        if (Digits(row.id, rowBuffer).find(user) != std::string_view::npos)
            code = row.language;
    }
    return std::string(code);
}

std::string LanguageCodeFromFileName(std::string_view fileName)
{
    const auto underscore = fileName.find('_');
    const std::size_t start = underscore == std::string_view::npos ? 0 : underscore + 1;
    const auto dot = fileName.find('.');
    if (dot == std::string_view::npos || dot < start)
        return {};
    return std::string(fileName.substr(start, dot - start));
}
