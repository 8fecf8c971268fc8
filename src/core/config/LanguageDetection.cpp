#include "core/config/LanguageDetection.h"

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
