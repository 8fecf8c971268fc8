// huebird-code: converts colours between the eleven notations of Huebird
// Lite from a shell. Only the handling of arguments, lines and exit codes
// lives here; every conversion is the program's own (color/ColorCodes.h).
#include <cerrno>
#include <cstdio>
#include <exception>
#include <functional>
#include <locale>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "color/ColorCodes.h"
#include "exchange/ColorListFile.h"

#ifndef HB_VERSION
#define HB_VERSION "unknown"
#endif

namespace {

constexpr std::string_view kProgram = "huebird-code";

constexpr int kExitOk = 0;
constexpr int kExitWrongShape = 1;
constexpr int kExitUsage = 2;
constexpr int kExitBadNumber = 3;

constexpr std::string_view kHelp =
    "Usage: huebird-code --to NOTATION [COLOR...]\n"
    "       huebird-code --all [COLOR...]\n"
    "       huebird-code --from NOTATION [--to NOTATION] [CODE...]\n"
    "       huebird-code --list FILE --to NOTATION\n"
    "\n"
    "Converts colours between the notations of Huebird Lite.\n"
    "\n"
    "  --to NOTATION     print the code of each COLOR in NOTATION\n"
    "  --all             print the eleven codes of each COLOR on one line,\n"
    "                    in notation order, separated by tabs\n"
    "  --from NOTATION   read each CODE as typed in NOTATION and print its\n"
    "                    colour value, or its code in the --to NOTATION\n"
    "  --list FILE       print the list file that Huebird Lite would save for\n"
    "                    the colours of FILE (a .txt list or a .gpl palette)\n"
    "                    in the --to NOTATION; a file it would refuse gives\n"
    "                    a message and exit status 1\n"
    "  --decimal-separator C\n"
    "                    '.' or ',' in \"RGB[0,1]\" codes (default: the locale's)\n"
    "  --help            show this help\n"
    "  --version         show the version\n"
    "\n"
    "A COLOR is a colour value 0x00BBGGRR, in decimal or with a 0x prefix:\n"
    "0x0080FF is orange, #FF8000. A NOTATION is an index 0 to 10, a caption\n"
    "or a short name, letter case ignored:\n"
    "  0 HTML  1 RGB  2 HSB/HSV (HSV/HSB)  3 HSL  4 CMYK  5 LAB  6 TColor\n"
    "  7 Hexa  8 HSL (255) (HSL255)  9 HSL (240) (HSL240)  10 RGB[0,1] (RGB01)\n"
    "\n"
    "A CODE is read as if typed into the code field of Huebird Lite: both ','\n"
    "and '.' stand for the decimal separator.\n"
    "\n"
    "Without COLOR or CODE arguments, standard input is read, one per line;\n"
    "a line ends at LF, CR or CR LF.\n"
    "Each input gives one output line; an input that cannot be converted\n"
    "gives an empty line and a message on standard error.\n"
    "\n"
    "Exit status: 0 every input converted; 1 some code had the wrong shape;\n"
    "3 some number could not be read (3 wins over 1); 2 usage error, or the\n"
    "input could not be read or the output written.\n";

struct Options {
    std::optional<int> to;
    std::optional<int> from;
    std::optional<std::string_view> list;
    bool all = false;
    std::optional<char> decimalSeparator;
    bool help = false;
    bool version = false;
    std::vector<std::string_view> inputs;
};

// An option and what it does to Options; a returned text is a usage error.
struct OptionSpec {
    std::string_view name;
    bool takesValue;
    std::function<std::optional<std::string>(Options&, std::string_view value)> apply;
};

std::optional<std::string> SetNotation(std::optional<int>& target, std::string_view option,
                                       std::string_view value)
{
    if (target)
        return std::string(option) + " is given twice";
    target = FormatIndexFromName(value);
    if (!target)
        return "unknown notation '" + std::string(value) + "'";
    return std::nullopt;
}

const std::vector<OptionSpec>& OptionTable()
{
    static const std::vector<OptionSpec> table = {
        {"--to", true, [](Options& o, std::string_view v) { return SetNotation(o.to, "--to", v); }},
        {"--from", true, [](Options& o, std::string_view v) { return SetNotation(o.from, "--from", v); }},
        {"--list", true,
         [](Options& o, std::string_view v) -> std::optional<std::string> {
             if (o.list)
                 return "--list is given twice";
             o.list = v;
             return std::nullopt;
         }},
        {"--all", false,
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.all = true;
             return std::nullopt;
         }},
        {"--decimal-separator", true,
         [](Options& o, std::string_view v) -> std::optional<std::string> {
             if (v != "." && v != ",")
                 return "the decimal separator must be '.' or ','";
             o.decimalSeparator = v[0];
             return std::nullopt;
         }},
        {"--help", false,
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.help = true;
             return std::nullopt;
         }},
        {"--version", false,
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.version = true;
             return std::nullopt;
         }},
    };
    return table;
}

// Accepts "--name value" and "--name=value"; "--" ends the options.
std::optional<std::string> ParseArguments(int argc, char** argv, Options& options)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& candidate : OptionTable())
            if (candidate.name == name)
                spec = &candidate;
        if (!spec)
            return "unknown option '" + std::string(arg) + "'";
        std::string_view value;
        if (spec->takesValue) {
            if (equals != std::string_view::npos)
                value = arg.substr(equals + 1);
            else if (i + 1 < argc)
                value = argv[++i];
            else
                return std::string(name) + " needs a value";
        } else if (equals != std::string_view::npos) {
            return std::string(name) + " takes no value";
        }
        if (auto error = spec->apply(options, value))
            return error;
    }
    return std::nullopt;
}

char LocaleDecimalSeparator()
{
    try {
        const std::locale user("");
        const char point = std::use_facet<std::numpunct<char>>(user).decimal_point();
        if (point == '.' || point == ',')
            return point;
    } catch (const std::exception&) {
        // An unknown locale name in the environment: fall through.
    }
    return '.';
}

// Standard output, written in large blocks.
class Output {
public:
    ~Output() { Flush(); }
    void WriteLine(std::string_view line)
    {
        pending_ += line;
        pending_ += '\n';
        if (pending_.size() >= kBlock)
            Flush();
    }
    bool Flush()
    {
        if (!pending_.empty() && std::fwrite(pending_.data(), 1, pending_.size(), stdout) != pending_.size())
            failed_ = true;
        pending_.clear();
        if (std::fflush(stdout) != 0)
            failed_ = true;
        return !failed_;
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    std::string pending_;
    bool failed_ = false;
};

// Standard input, one line at a time, without holding more than a line. CR,
// LF and CR LF each end a line.
class LineReader {
public:
    static constexpr std::size_t kLongestLine = 1 << 20;

    // False at the end of input or at a read error (see failed()). A longer
    // line is cut and flagged.
    bool Next(std::string& line, bool& tooLong)
    {
        line.clear();
        tooLong = false;
        bool any = false;
        for (;;) {
            if (pos_ == size_ && !Fill())
                return any;
            if (afterCr_) {
                // The LF of a CR LF may come in the next read.
                afterCr_ = false;
                if (buffer_[pos_] == '\n' && ++pos_ == size_)
                    continue;
            }
            any = true;
            const char* start = buffer_ + pos_;
            const char* end = buffer_ + size_;
            const char* stop = start;
            while (stop < end && *stop != '\n' && *stop != '\r')
                ++stop;
            const std::size_t length = std::size_t(stop - start);
            if (!tooLong && line.size() + length <= kLongestLine)
                line.append(start, length);
            else
                tooLong = true;
            pos_ += length;
            if (stop < end) {
                afterCr_ = *stop == '\r';
                ++pos_;
                return true;
            }
        }
    }
    // The reason standard input could not be read, or 0.
    int failed() const { return error_; }

private:
    bool Fill()
    {
        pos_ = 0;
        size_ = 0;
        for (;;) {
            const ssize_t got = ::read(STDIN_FILENO, buffer_, sizeof buffer_);
            if (got > 0) {
                size_ = std::size_t(got);
                return true;
            }
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error_ = errno;
            return false;
        }
    }

    char buffer_[1 << 16];
    std::size_t pos_ = 0, size_ = 0;
    bool afterCr_ = false;
    int error_ = 0;
};

enum class Outcome { Converted, WrongShape, BadNumber };

// Writes the result of one input into the output line, or says on standard
// error why there is none.
using Converter = std::function<Outcome(std::string_view input, std::string& line)>;

// Written whole: an input may hold NUL bytes.
void Complain(std::string_view what, std::string_view input)
{
    std::string message(kProgram);
    message.append(": ").append(what).append(": ").append(input) += '\n';
    std::fwrite(message.data(), 1, message.size(), stderr);
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

int RunOverInputs(const Options& options, const Converter& convert)
{
    Output out;
    bool wrongShape = false, badNumber = false;
    std::string line;
    const auto one = [&](std::string_view input) {
        line.clear();
        const Outcome outcome = convert(input, line);
        wrongShape |= outcome == Outcome::WrongShape;
        badNumber |= outcome == Outcome::BadNumber;
        out.WriteLine(outcome == Outcome::Converted ? std::string_view(line) : std::string_view());
    };
    if (!options.inputs.empty()) {
        for (std::string_view input : options.inputs)
            one(input);
    } else {
        static LineReader reader;
        std::string input;
        bool tooLong = false;
        while (reader.Next(input, tooLong)) {
            if (tooLong) {
                Complain("line too long", input.substr(0, 40) + "...");
                badNumber = true;
                out.WriteLine({});
            } else {
                one(input);
            }
        }
        if (reader.failed()) {
            out.Flush();
            Complain("cannot read the standard input", std::system_category().message(reader.failed()));
            return kExitUsage;
        }
    }
    if (!out.Flush()) {
        std::fprintf(stderr, "%.*s: cannot write the output\n", int(kProgram.size()), kProgram.data());
        return kExitUsage;
    }
    return badNumber ? kExitBadNumber : wrongShape ? kExitWrongShape : kExitOk;
}

std::optional<TColor> ColorArgument(std::string_view input)
{
    const auto color = ReadColorValue(TrimBlanks(input));
    if (!color)
        Complain("not a colour value", input);
    return color;
}

Converter ToConverter(int to, char separator)
{
    return [=](std::string_view input, std::string& line) {
        const auto color = ColorArgument(input);
        if (!color)
            return Outcome::BadNumber;
        line += WriteColorCode(to, *color, separator).View();
        return Outcome::Converted;
    };
}

Converter AllConverter(char separator)
{
    return [=](std::string_view input, std::string& line) {
        const auto color = ColorArgument(input);
        if (!color)
            return Outcome::BadNumber;
        for (int i = 0; i < FormatCount; ++i) {
            if (i > 0)
                line += '\t';
            line += WriteColorCode(i, *color, separator).View();
        }
        return Outcome::Converted;
    };
}

Converter FromConverter(int from, std::optional<int> to, char separator)
{
    const std::string notation(FormatCaption(from));
    return [=](std::string_view input, std::string& line) {
        const ColorReadResult read =
            CBX_FormatReadInput(TypedCodeText(input, separator), std::uint8_t(from), separator);
        switch (read.status) {
        case ReadStatus::WrongShape:
            Complain("wrong shape for " + notation, input);
            return Outcome::WrongShape;
        case ReadStatus::BadNumber:
            Complain("cannot read a number for " + notation, input);
            return Outcome::BadNumber;
        case ReadStatus::Read:
            break;
        }
        line += to ? std::string(WriteColorCode(*to, read.color, separator).View())
                   : FormatColorValue(read.color);
        return Outcome::Converted;
    };
}

int ConvertListFile(const Options& options, char separator)
{
    const std::string path(*options.list);
    const ColorListReadResult read = ReadColorListFile(path);
    switch (read.status) {
    case ColorListStatus::BadExtension:
        Complain("neither a colour list (.txt) nor a palette (.gpl)", path);
        return kExitWrongShape;
    case ColorListStatus::Unreadable:
        Complain("cannot read the file", path + ": " + FileFaultText(read.file));
        return kExitWrongShape;
    case ColorListStatus::BadContent:
        Complain("not a colour list", path);
        return kExitWrongShape;
    case ColorListStatus::Loaded:
        break;
    }
    const std::string text = ColorListFileText(read.colors, *options.to, separator);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "%.*s: cannot write the output\n", int(kProgram.size()), kProgram.data());
        return kExitUsage;
    }
    return kExitOk;
}

// The ways of using the tool; the first whose test passes runs.
struct Mode {
    bool (*selected)(const Options&);
    std::optional<std::string> (*conflict)(const Options&);
    int (*run)(const Options&, char separator);
};

const std::vector<Mode>& ModeTable()
{
    static const std::vector<Mode> table = {
        {[](const Options& o) { return o.list.has_value(); },
         [](const Options& o) -> std::optional<std::string> {
             if (!o.to || o.all || o.from || !o.inputs.empty())
                 return "--list FILE takes --to NOTATION and nothing else to convert";
             return std::nullopt;
         },
         [](const Options& o, char sep) { return ConvertListFile(o, sep); }},
        {[](const Options& o) { return o.all; },
         [](const Options& o) -> std::optional<std::string> {
             if (o.to || o.from)
                 return "--all cannot be combined with --to or --from";
             return std::nullopt;
         },
         [](const Options& o, char sep) { return RunOverInputs(o, AllConverter(sep)); }},
        {[](const Options& o) { return o.from.has_value(); },
         [](const Options&) -> std::optional<std::string> { return std::nullopt; },
         [](const Options& o, char sep) { return RunOverInputs(o, FromConverter(*o.from, o.to, sep)); }},
        {[](const Options& o) { return o.to.has_value(); },
         [](const Options&) -> std::optional<std::string> { return std::nullopt; },
         [](const Options& o, char sep) { return RunOverInputs(o, ToConverter(*o.to, sep)); }},
    };
    return table;
}

int UsageError(std::string_view message)
{
    std::fprintf(stderr, "%.*s: %.*s (see --help)\n", int(kProgram.size()), kProgram.data(),
                 int(message.size()), message.data());
    return kExitUsage;
}

int Run(int argc, char** argv)
{
    Options options;
    if (const auto error = ParseArguments(argc, argv, options))
        return UsageError(*error);
    if (options.help) {
        std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitUsage;
    }
    if (options.version) {
        std::printf("%.*s %s\n", int(kProgram.size()), kProgram.data(), HB_VERSION);
        return std::fflush(stdout) == 0 ? kExitOk : kExitUsage;
    }
    for (const Mode& mode : ModeTable()) {
        if (!mode.selected(options))
            continue;
        if (const auto conflict = mode.conflict(options))
            return UsageError(*conflict);
        return mode.run(options, options.decimalSeparator ? *options.decimalSeparator
                                                          : LocaleDecimalSeparator());
    }
    return UsageError("say what to convert with --to, --all or --from");
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%.*s: %s\n", int(kProgram.size()), kProgram.data(), e.what());
    } catch (...) {
        std::fprintf(stderr, "%.*s: unexpected failure\n", int(kProgram.size()), kProgram.data());
    }
    return kExitUsage;
}
