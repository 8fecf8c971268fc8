#include "config/LanguageDetection.h"

#include <charconv>

namespace {

struct TDetectionRow {
    std::string_view ids;
    std::string_view name;
};

// Searched as plain substrings, in order; a later matching row overrides.
constexpr TDetectionRow kDetectionRows[] = {
    {"1069", "Basque"},
    {"1150", "Breton"},
    {"2052,4100,1028,3076,5124", "Chinese"},
    {"1155", "Corsican"},
    {"1033,2057,3081,10249,4105,9225,15369,16393,14345,6153,8201,17417,5129,13321,18441,7177,11273,"
     "12297,",
     "English"},
    {"1036,2060,11276,3084,9228,12300,15372,5132,13324,3156,14348,58380,8204,10252,4108,7180,",
     "French"},
    {"1031,3079,5127,4103,2055", "German"},
    {"1037", "Hebrew"},
    {"1040,2064", "Italian"},
    {"1041", "Japanese"},
    {"1046,2070", "Portuguese"},
    {"1049,2073", "Russian"},
    {"3082,1034,11274,16394,13322,9226,5130,7178,12298,17418,4106,18442,22538,2058,19466,6154,15370,"
     "10250,20490,21514,14346,8202",
     "Spanish"},
    {"1058", "Ukrainian"},
};

struct TNameCode {
    std::string_view name;
    std::string_view code;
};

constexpr TNameCode kNameCodes[] = {
    {"Basque", "eu"},   {"Breton", "br"},   {"Chinese", "zh"},  {"Corsican", "co"},
    {"English", "en"},  {"French", "fr"},   {"German", "de"},   {"Hebrew", "he"},
    {"Italian", "it"},  {"Japanese", "ja"}, {"Portuguese", "pt"}, {"Russian", "ru"},
    {"Spanish", "es"},  {"Ukrainian", "uk"},
};

struct TLocaleId {
    std::string_view language;
    std::string_view territory;
    std::uint16_t id;
};

// The first row of each language is its main variant. Territories are ISO 3166
// codes, or UN M49 area codes where Windows has a regional variant.
constexpr TLocaleId kLocaleIds[] = {
    {"en", "US", 1033}, {"en", "GB", 2057}, {"en", "AU", 3081}, {"en", "BZ", 10249},
    {"en", "CA", 4105}, {"en", "029", 9225}, {"en", "HK", 15369}, {"en", "IN", 16393},
    {"en", "ID", 14345}, {"en", "IE", 6153}, {"en", "JM", 8201}, {"en", "MY", 17417},
    {"en", "NZ", 5129}, {"en", "PH", 13321}, {"en", "SG", 18441}, {"en", "ZA", 7177},
    {"en", "TT", 11273}, {"en", "ZW", 12297},

    {"fr", "FR", 1036}, {"fr", "BE", 2060}, {"fr", "CM", 11276}, {"fr", "CA", 3084},
    {"fr", "CD", 9228}, {"fr", "CI", 12300}, {"fr", "HT", 15372}, {"fr", "LU", 5132},
    {"fr", "ML", 13324}, {"fr", "MA", 14348}, {"fr", "015", 58380}, {"fr", "RE", 8204},
    {"fr", "SN", 10252}, {"fr", "CH", 4108}, {"fr", "029", 7180},

    {"de", "DE", 1031}, {"de", "AT", 3079}, {"de", "LI", 5127}, {"de", "LU", 4103},
    {"de", "CH", 2055},

    {"es", "ES", 3082}, {"es", "AR", 11274}, {"es", "BO", 16394}, {"es", "CL", 13322},
    {"es", "CO", 9226}, {"es", "CR", 5130}, {"es", "DO", 7178}, {"es", "EC", 12298},
    {"es", "SV", 17418}, {"es", "GT", 4106}, {"es", "HN", 18442}, {"es", "419", 22538},
    {"es", "MX", 2058}, {"es", "NI", 19466}, {"es", "PA", 6154}, {"es", "PY", 15370},
    {"es", "PE", 10250}, {"es", "PR", 20490}, {"es", "US", 21514}, {"es", "UY", 14346},
    {"es", "VE", 8202},

    {"it", "IT", 1040}, {"it", "CH", 2064},
    {"pt", "BR", 1046}, {"pt", "PT", 2070},
    {"ru", "RU", 1049}, {"ru", "MD", 2073},
    {"zh", "CN", 2052}, {"zh", "SG", 4100}, {"zh", "TW", 1028}, {"zh", "HK", 3076},
    {"zh", "MO", 5124},
    {"eu", "ES", 1069}, {"br", "FR", 1150}, {"co", "FR", 1155}, {"he", "IL", 1037},
    {"ja", "JP", 1041}, {"uk", "UA", 1058},

    // Languages without a language file of their own: detected as English.
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

} // namespace

std::string GetUserLanguageName(std::uint16_t userLangId)
{
    char digits[8];
    const auto written = std::to_chars(digits, digits + sizeof digits, unsigned(userLangId));
    const std::string_view number(digits, std::size_t(written.ptr - digits));
    std::string_view result = "English";
    for (const TDetectionRow& row : kDetectionRows)
        if (row.ids.find(number) != std::string_view::npos)
            result = row.name;
    return std::string(result);
}

std::string LanguageNameToCode(std::string_view languageName)
{
    for (const TNameCode& entry : kNameCodes)
        if (entry.name == languageName)
            return std::string(entry.code);
    return {};
}

std::string GetUserLanguageCode(std::uint16_t userLangId)
{
    return LanguageNameToCode(GetUserLanguageName(userLangId));
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

std::uint16_t WindowsLanguageId(std::string_view language, std::string_view territory)
{
    std::uint16_t mainVariant = 0;
    for (const TLocaleId& row : kLocaleIds) {
        if (row.language != language)
            continue;
        if (row.territory == territory)
            return row.id;
        if (mainVariant == 0)
            mainVariant = row.id;
    }
    return mainVariant != 0 ? mainVariant : kEnglishUnitedStatesLangId;
}
