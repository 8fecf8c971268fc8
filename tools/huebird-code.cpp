// huebird-code: converts colours between the eleven notations of Huebird
// Lite from a shell. Only the handling of arguments, lines and exit codes
// lives here; every conversion is the program's own (color/ColorCodes.h).
#include <cerrno>
#include <charconv>
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

#include "core/color/ColorCodes.h"
#include "core/color/ColorContrast.h"
#include "core/color/ColorNames.h"
#include "core/exchange/ColorExport.h"
#include "core/exchange/ColorListFile.h"

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
    "       huebird-code --list FILE --export FORMAT [--to NOTATION]\n"
    "       huebird-code --contrast [--from NOTATION] [COLOR COLOR...]\n"
    "       huebird-code --name [--from NOTATION] [COLOR...]\n"
    "\n"
    "Converts colours between the notations of Huebird Lite.\n"
    "\n"
    "  --to NOTATION     print the code of each COLOR in NOTATION\n"
    "  --all             print the fifteen codes of each COLOR on one line,\n"
    "                    in notation order, separated by tabs\n"
    "  --from NOTATION   read each CODE as typed in NOTATION and print its\n"
    "                    colour value, or its code in the --to NOTATION\n"
    "  --list FILE       print the list file that Huebird Lite would save for\n"
    "                    the colours of FILE (a .txt list or a .gpl palette)\n"
    "                    in the --to NOTATION; a file it would refuse gives\n"
    "                    a message and exit status 1\n"
    "  --export FORMAT   with --list: print the colours of FILE for another\n"
    "                    program instead, in list order; FORMAT is gpl (GIMP\n"
    "                    palette), css (custom properties), scss (variables),\n"
    "                    json (every notation's code) or codes (one code a\n"
    "                    line); names, comments and codes follow the --to\n"
    "                    NOTATION, HTML without one\n"
    "  --contrast        print the contrast ratio of each pair of colours and\n"
    "                    the level it reaches for text (\"4.6:1 AA\": AAA from\n"
    "                    7:1, AA from 4.5:1, AA large from 3:1, else fail); the\n"
    "                    ratio is rounded down. With --from, the pair is two\n"
    "                    CODEs. On standard input, one pair a line, separated\n"
    "                    by a tab (or by blanks when the codes have none)\n"
    "  --name            print the CSS named colour nearest to each COLOR (or\n"
    "                    CODE, with --from) by CIEDE2000, a tab and the\n"
    "                    difference with one decimal: \"darkorange\t3.9\"\n"
    "  --decimal-separator C\n"
    "                    '.' or ',' in \"RGB[0,1]\" codes and contrast ratios\n"
    "                    (default: the locale's)\n"
    "  --help            show this help\n"
    "  --version         show the version\n"
    "\n"
    "A COLOR is a colour value 0x00BBGGRR, in decimal or with a 0x prefix:\n"
    "0x0080FF is orange, #FF8000. A NOTATION is an index 0 to 14, a caption\n"
    "or a short name, letter case ignored:\n"
    "  0 HTML  1 RGB  2 HSB/HSV (HSV/HSB)  3 HSL  4 CMYK  5 LAB  6 TColor\n"
    "  7 Hexa  8 HSL (255) (HSL255)  9 HSL (240) (HSL240)  10 RGB[0,1] (RGB01)\n"
    "  11 CSS rgb() (CSSRGB, or just css)  12 CSS hsl() (CSSHSL)  13 OKLab\n"
    "  14 OKLCH\n"
    "\n"
    "A CODE is read as if typed into the code field of Huebird Lite: both ','\n"
    "and '.' stand for the decimal separator. Whatever the NOTATION, a colour\n"
    "as a stylesheet writes it is read too (#rgb, #rrggbb, #rrggbbaa, rgb(),\n"
    "rgba(), hsl(), hsla(), oklab(), oklch(), the 148 named colours); alpha is\n"
    "left out and a colour beyond sRGB is brought into it, with a note on\n"
    "standard error. With --from css (or another stylesheet notation) a CODE\n"
    "is read as a stylesheet holds it.\n"
    "\n"
    "Without COLOR or CODE arguments, standard input is read, one per line;\n"
    "a line ends at LF, CR or CR LF.\n"
    "Each input gives one output line; an input that cannot be converted\n"
    "gives an empty line and a message on standard error.\n"
    "\n"
    "Exit status: 0 every input converted; 1 some code had the wrong shape;\n"
    "3 some number could not be read, or lay outside its component's range\n"
    "(3 wins over 1); 2 usage error, or the input could not be read or the\n"
    "output written.\n";

struct Options {
    std::optional<int> to;
    std::optional<int> from;
    std::optional<std::string_view> list;
    std::optional<ExportFormat> exportFormat;
    bool contrast = false;
    bool all = false;
    bool name = false;
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
        {"--export", true,
         [](Options& o, std::string_view v) -> std::optional<std::string> {
             if (o.exportFormat)
                 return "--export is given twice";
             o.exportFormat = ExportFormatFromName(v);
             if (!o.exportFormat)
                 return "unknown export format '" + std::string(v) + "'";
             return std::nullopt;
         }},
        {"--contrast", false,
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.contrast = true;
             return std::nullopt;
         }},
        {"--all", false,
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.all = true;
             return std::nullopt;
         }},
        {"--name", false,
         [](Options& o, std::string_view) -> std::optional<std::string> {
             o.name = true;
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

std::optional<Rgb> ColorArgument(std::string_view input)
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

// Reads a colour value, or a code in the --from notation, or says why not.
Outcome ReadInputColour(std::string_view input, std::optional<int> from, char separator, Rgb& color)
{
    if (!from) {
        const auto value = ColorArgument(input);
        if (value)
            color = *value;
        return value ? Outcome::Converted : Outcome::BadNumber;
    }
    // Stylesheet codes are read as a stylesheet holds them.
    const ColorReadResult read =
        *from >= FirstCssFormat ? ReadColorCode(input, std::uint8_t(*from), separator)
                                : ReadColorCode(TypedCodeText(input, separator), std::uint8_t(*from), separator);
    if (read.status == ReadStatus::Read) {
        if (read.alphaIgnored)
            Complain("alpha left out", input);
        if (read.outOfGamut)
            Complain("outside sRGB, brought into it", input);
        color = read.color;
        return Outcome::Converted;
    }
    const std::string notation(FormatCaption(*from));
    if (read.status == ReadStatus::WrongShape) {
        Complain("wrong shape for " + notation, input);
        return Outcome::WrongShape;
    }
    Complain((read.status == ReadStatus::OutOfRange ? "a number out of range for " : "cannot read a number for ")
                 + notation,
             input);
    return Outcome::BadNumber;
}

Converter FromConverter(int from, std::optional<int> to, char separator)
{
    return [=](std::string_view input, std::string& line) {
        Rgb color;
        const Outcome outcome = ReadInputColour(input, from, separator, color);
        if (outcome != Outcome::Converted)
            return outcome;
        line += to ? std::string(WriteColorCode(*to, color, separator).View()) : FormatColorValue(color);
        return Outcome::Converted;
    };
}

// The nearest CSS named colour and its CIEDE2000 difference: "darkorange\t3.4".
Converter NameConverter(std::optional<int> from, char separator)
{
    return [=](std::string_view input, std::string& line) {
        Rgb color;
        const Outcome outcome = ReadInputColour(input, from, separator, color);
        if (outcome != Outcome::Converted)
            return outcome;
        const NearestColorName nearest = NearestCssColorName(color);
        char digits[32];
        const char* end = std::to_chars(digits, digits + sizeof digits, nearest.deltaE,
                                        std::chars_format::fixed, 1).ptr;
        line.append(nearest.name).append("\t").append(digits, std::size_t(end - digits));
        return Outcome::Converted;
    };
}

// The colours of the --list file, or a message on standard error.
std::optional<RgbList> ReadListArgument(const std::string& path)
{
    ColorListReadResult read = ReadColorListFile(path);
    switch (read.status) {
    case ColorListStatus::BadExtension:
        Complain("neither a colour list (.txt) nor a palette (.gpl)", path);
        return std::nullopt;
    case ColorListStatus::Unreadable:
    case ColorListStatus::Cancelled: // not asked for here
        Complain("cannot read the file", path + ": " + FileFaultText(read.file));
        return std::nullopt;
    case ColorListStatus::BadContent:
        Complain("not a colour list", path);
        return std::nullopt;
    case ColorListStatus::Loaded:
        break;
    }
    return std::move(read.colors);
}

// The exit status once the output was written, or not.
int OutputStatus(bool written)
{
    if (!written || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "%.*s: cannot write the output\n", int(kProgram.size()), kProgram.data());
        return kExitUsage;
    }
    return kExitOk;
}

bool WriteOutput(std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int WriteWholeOutput(const std::string& text)
{
    return OutputStatus(WriteOutput(text));
}

int ConvertListFile(const Options& options, char separator)
{
    const auto colors = ReadListArgument(std::string(*options.list));
    if (!colors)
        return kExitWrongShape;
    return WriteWholeOutput(ColorListFileText(*colors, *options.to, separator));
}

int ExportListFile(const Options& options, char separator)
{
    const std::string path(*options.list);
    const auto colors = ReadListArgument(path);
    if (!colors)
        return kExitWrongShape;
    std::string_view name = FileNamePart(path);
    name = name.substr(0, name.rfind('.'));
    ExportSettings settings;
    settings.formatIndex = options.to.value_or(0);
    settings.decimalSeparator = separator;
    settings.paletteName = name;
    // Piece by piece: a list of millions of colours never stands whole in memory.
    return OutputStatus(ExportColorListPieces(*colors, *options.exportFormat, settings,
                                              [](std::string_view piece, std::size_t) { return WriteOutput(piece); }));
}

Converter ContrastConverter(std::optional<int> from, char separator)
{
    return [=](std::string_view input, std::string& line) {
        // A tab parts the pair; without one, the first run of blanks does.
        std::size_t cut = input.find('\t');
        std::size_t next = cut + 1;
        if (cut == std::string_view::npos) {
            input = TrimBlanks(input);
            cut = input.find(' ');
            next = input.find_first_not_of(' ', cut);
        }
        if (cut == std::string_view::npos || next == std::string_view::npos) {
            Complain("not a pair of colours", input);
            return Outcome::WrongShape;
        }
        Rgb first, second;
        const Outcome a = ReadInputColour(input.substr(0, cut), from, separator, first);
        const Outcome b = ReadInputColour(input.substr(next), from, separator, second);
        if (a != Outcome::Converted || b != Outcome::Converted)
            return a == Outcome::BadNumber || b == Outcome::BadNumber ? Outcome::BadNumber : Outcome::WrongShape;
        line += ContrastText(ContrastTenths(first, second), separator);
        return Outcome::Converted;
    };
}

int PrintContrasts(const Options& options, char separator)
{
    // Colours given as arguments go two by two, a pair to a line, like standard input.
    std::vector<std::string> pairs;
    for (std::size_t i = 0; i + 1 < options.inputs.size(); i += 2)
        pairs.push_back(std::string(options.inputs[i]) + '\t' + std::string(options.inputs[i + 1]));
    Options paired = options;
    paired.inputs.assign(pairs.begin(), pairs.end());
    return RunOverInputs(paired, ContrastConverter(options.from, separator));
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
        {[](const Options& o) { return o.exportFormat.has_value(); },
         [](const Options& o) -> std::optional<std::string> {
             if (!o.list || o.all || o.from || o.contrast || !o.inputs.empty())
                 return "--export FORMAT takes --list FILE, --to NOTATION and nothing else";
             return std::nullopt;
         },
         [](const Options& o, char sep) { return ExportListFile(o, sep); }},
        {[](const Options& o) { return o.contrast; },
         [](const Options& o) -> std::optional<std::string> {
             if (o.list || o.all || o.to)
                 return "--contrast cannot be combined with --list, --all or --to";
             if (o.inputs.size() % 2 != 0)
                 return "--contrast takes colours two by two";
             return std::nullopt;
         },
         [](const Options& o, char sep) { return PrintContrasts(o, sep); }},
        {[](const Options& o) { return o.list.has_value(); },
         [](const Options& o) -> std::optional<std::string> {
             if (!o.to || o.all || o.from || !o.inputs.empty())
                 return "--list FILE takes --to NOTATION and nothing else to convert";
             return std::nullopt;
         },
         [](const Options& o, char sep) { return ConvertListFile(o, sep); }},
        {[](const Options& o) { return o.name; },
         [](const Options& o) -> std::optional<std::string> {
             if (o.list || o.all || o.to || o.contrast)
                 return "--name cannot be combined with --list, --all, --to or --contrast";
             return std::nullopt;
         },
         [](const Options& o, char sep) { return RunOverInputs(o, NameConverter(o.from, sep)); }},
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
    return UsageError("say what to convert with --to, --all, --from, --export, --contrast or --name");
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
