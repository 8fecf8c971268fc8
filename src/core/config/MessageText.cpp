#include "core/config/MessageText.h"


namespace {

std::string ArgText(const FormatArg& arg)
{
    if (const auto* text = std::get_if<std::string>(&arg))
        return *text;
    return std::to_string(std::get<std::int64_t>(arg));
}

} // namespace

std::string FillFormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const char spec = format[i + 1];
        if (spec == '%') {
            out += '%';
            ++i;
        } else if ((spec == 's' || spec == 'd') && next != args.end()) {
            out += ArgText(*next++);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string RemoveDecimalZeros(std::string text, char decimalSeparator)
{
    const std::string pattern{decimalSeparator, '0', '0'};
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const auto hit = text.find(pattern, pos);
        if (hit == std::string::npos) {
            out.append(text, pos, std::string::npos);
            return out;
        }
        out.append(text, pos, hit - pos);
        pos = hit + pattern.size();
    }
}

std::string FormatMessageText(std::string_view format, std::initializer_list<FormatArg> args,
                              char decimalSeparator)
{
    return RemoveDecimalZeros(FillFormatText(format, args), decimalSeparator);
}
