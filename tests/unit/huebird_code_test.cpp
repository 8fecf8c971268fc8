// The command-line companion, run as a separate program (HB_CODE_TOOL).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out, err;
};

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class HuebirdCode : public testing::Test {
protected:
    void SetUp() override
    {
        const char* tool = std::getenv("HB_CODE_TOOL");
        if (!tool || !fs::exists(tool))
            GTEST_SKIP() << "HB_CODE_TOOL does not name the built huebird-code";
        tool_ = tool;
        dir_ = fs::temp_directory_path() / ("huebird-code-test-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Runs the tool with the arguments, standard input from the text (or
    // none at all), in the C locale unless the environment prefix says
    // otherwise; a redirection replaces the standard input.
    ToolRun Run(const std::vector<std::string>& args, const std::string& input = "",
                const std::string& environment = "LC_ALL=C", std::string redirection = "")
    {
        std::ofstream(dir_ / "in", std::ios::binary) << input;
        if (redirection.empty())
            redirection = "<" + ShellQuoted((dir_ / "in").string());
        std::string command = "env " + environment + " " + ShellQuoted(tool_);
        for (const std::string& arg : args)
            command += " " + ShellQuoted(arg);
        command += " " + redirection + " >" + ShellQuoted((dir_ / "out").string()) + " 2>" +
                   ShellQuoted((dir_ / "err").string());
        const int status = std::system(command.c_str());
        ToolRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.out = ReadWhole(dir_ / "out");
        run.err = ReadWhole(dir_ / "err");
        return run;
    }

    std::string tool_;
    fs::path dir_;
};

int LineCount(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

// Lines of an input, which end at LF, CR or CR LF.
int InputLineCount(const std::string& text)
{
    int lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        lines += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    return lines;
}

TEST_F(HuebirdCode, WritesCodesOfColourValues)
{
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"--to", "HTML", "0x0080FF", "33023", "0XFF0080ff"}, "#FF8000\n#FF8000\n#FF8000\n"},
        {{"--to", "5", "0xFF8000"}, "55, 19, -71\n"},
        {{"--to=hsb/hsv", "0x0100FF"}, "360, 100, 100\n"},
        {{"--to", "HSV/HSB", "0x0080FF"}, "30, 100, 100\n"},
        {{"--to", "hsl (255)", "0x0080FF"}, "21, 255, 128\n"},
        {{"--to", "hsl240", "0x0080FF"}, "20, 240, 120\n"},
        {{"--to", "RGB[0,1]", "--decimal-separator", ",", "0x0080FF"}, "1,00 - 0,50 - 0,00\n"},
        {{"--decimal-separator=.", "--to", "rgb01", "0x0080FF"}, "1.00 - 0.50 - 0.00\n"},
        {{"--to", "TColor", "--", "0x0080FF"}, "$000080FF\n"},
        {{"--all", "0x0080FF"},
         "#FF8000\t255, 128, 0\t30, 100, 100\t30, 100, 50\t0, 50, 100, 0\t67, 43, 74\t$000080FF\t"
         "0xFF8000\t21, 255, 128\t20, 240, 120\t1.00 - 0.50 - 0.00\trgb(255 128 0)\thsl(30 100% 50%)\t"
         "oklab(0.7319 0.1119 0.1484)\toklch(73.2% 0.186 53)\n"},
        // Whatever the notation, a stylesheet's colour; --from css reads commas as a stylesheet does.
        {{"--from", "RGB", "coral", "hsl(30deg, 100%, 50%)"}, "0x507FFF\n0x0080FF\n"},
        // The nearest CSS named colour and its CIEDE2000 difference.
        {{"--name", "0x507FFF", "0x0080FF"}, "coral\t0.0\ndarkorange\t3.9\n"},
        {{"--name", "--from", "css", "rebeccapurple"}, "rebeccapurple\t0.0\n"},
        {{"--from", "css", "--to", "OKLCH", "rgb(255, 128, 0)", "#f80"}, "oklch(73.2% 0.186 53)\noklch(74.4% 0.181 56.5)\n"},
        {{"--from", "HTML", "#FF8000", "ff 80 00"}, "0x0080FF\n0x0080FF\n"},
        {{"--from", "rgb", "255, 128, 0", "--to", "html"}, "#FF8000\n"},
        {{"--from", "RGB01", "1.00 - 0.50 - 0.00", "1,00 - 0,50 - 0,00"}, "0x0080FF\n0x0080FF\n"},
        {{"--from", "Hexa", "--to", "TColor", "0xFF8000"}, "$000080FF\n"},
        {{"--from", "lab", "100, 0, 0"}, "0xFFFFFF\n"},
        // Its own codes read back: a minus in LAB, red 00 in Hexa.
        {{"--from", "LAB", "--to", "HTML", "32, 79, -108"}, "#0D00FE\n"},  // near #0000FF
        {{"--from", "Hexa", "0x0000FF", "0x000000"}, "0xFF0000\n0x000000\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Run(c.args);
        SCOPED_TRACE(testing::Message() << c.args[0] << " " << c.args[1] << " / " << run.err);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(HuebirdCode, DefaultSeparatorComesFromTheLocale)
{
    EXPECT_EQ(Run({"--to", "10", "0x0080FF"}, "", "LC_ALL=C").out, "1.00 - 0.50 - 0.00\n");
    // A locale name the system does not know falls back to the full stop.
    const ToolRun unknown = Run({"--to", "10", "0x0080FF"}, "", "LC_ALL=xx_NOWHERE.UTF-8");
    EXPECT_EQ(unknown.exitCode, 0);
    EXPECT_EQ(unknown.out, "1.00 - 0.50 - 0.00\n");
}

TEST_F(HuebirdCode, StreamsStandardInputLineByLine)
{
    // CR LF endings, surrounding blanks and a last line without an ending.
    const ToolRun colours = Run({"--to", "RGB"}, "0x0080FF\r\n  255\t\n0");
    EXPECT_EQ(colours.exitCode, 0);
    EXPECT_EQ(colours.out, "255, 128, 0\n255, 0, 0\n0, 0, 0\n");

    // Each input gives one output line, a failed one an empty line.
    const ToolRun codes = Run({"--from", "RGB"}, "255 128 0\n255 128\n\nFF 0 0\n0 0 255\n");
    EXPECT_EQ(codes.exitCode, 3);
    EXPECT_EQ(codes.out, "0x0080FF\n\n\n\n0xFF0000\n");
    EXPECT_EQ(LineCount(codes.err), 3);
    EXPECT_NE(codes.err.find("255 128\n"), std::string::npos);

    // Many lines: every colour of one green-blue plane, in order.
    std::string input;
    for (int c = 0; c < 65536; ++c)
        input += std::to_string(c << 8) + "\n";
    const ToolRun many = Run({"--all"}, input);
    EXPECT_EQ(many.exitCode, 0);
    EXPECT_EQ(LineCount(many.out), 65536);
    EXPECT_EQ(many.out.substr(0, 8), "#000000\t");
    EXPECT_EQ(many.out.substr(many.out.rfind('\n', many.out.size() - 2) + 1, 8), "#00FFFF\t");
}

TEST_F(HuebirdCode, LinesEndAtCrLfOrBoth)
{
    // The CR of the first line ends the tool's first read, its LF begins the next.
    const std::string first = "0" + std::string((1 << 16) - 2, ' ') + "\r\n";
    const ToolRun run = Run({"--to", "RGB"}, first + "255\r65280\n16711680\r\n1");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0, 0, 0\n255, 0, 0\n0, 255, 0\n0, 0, 255\n1, 0, 0\n");
}

TEST_F(HuebirdCode, UnreadableInputAndNulBytesAreReported)
{
    for (const std::string& redirection : {"<" + ShellQuoted(dir_.string()), std::string("<&-")}) {
        const ToolRun run = Run({"--to", "RGB"}, "", "LC_ALL=C", redirection);
        EXPECT_EQ(run.exitCode, 2) << redirection;
        EXPECT_NE(run.err.find("cannot read the standard input"), std::string::npos) << redirection;
    }
    const std::string withNul("FF\0ZZ 0 0\n", 10);
    const ToolRun run = Run({"--from", "RGB"}, withNul);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find(withNul), std::string::npos);
}

TEST_F(HuebirdCode, ExitStatusTellsTheWorstProblem)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        const char* inMessage;
    };
    const Case cases[] = {
        {{"--from", "HTML", "#FF800", "#FF8000"}, 1, "\n0x0080FF\n", "#FF800"},
        {{"--from", "css", "rgb(255 128 0 / 50%)"}, 0, "0x0080FF\n", "alpha left out"},
        {{"--from", "OKLCH", "oklch(70% 0.4 150)", "rgb(255 128)"}, 1, "0x48C200\n\n", "outside sRGB"},
        {{"--from", "CMYK", "0, 50, 100"}, 1, "\n", "0, 50, 100"},
        {{"--from", "RGB", "FF 0 0", "0 0 255"}, 3, "\n0xFF0000\n", "FF 0 0"},
        {{"--from", "RGB", "FF 0 0", "1 2"}, 3, "\n\n", "1 2"},  // 3 wins over 1
        {{"--from", "RGB", "300 0 0", "255 0 0"}, 3, "\n0x0000FF\n", "300 0 0"},
        {{"--to", "HTML", "--", "orange", "0x0080FF", "-1", "4294967296"}, 3, "\n#FF8000\n\n\n", "orange"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Run(c.args);
        SCOPED_TRACE(testing::Message() << c.args[0] << " " << c.args[1] << " " << c.args[2]);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_NE(run.err.find(c.inMessage), std::string::npos) << run.err;
    }
}

TEST_F(HuebirdCode, UsageErrorsGiveOneLineAndStatusTwo)
{
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"0x0080FF"},
        {"--to"},
        {"--to", "HSV", "0"},
        {"--to", "15", "0"},
        {"--all", "--to", "HTML", "0"},
        {"--all", "--from", "HTML", "#FF8000"},
        {"--to", "HTML", "--to", "RGB", "0"},
        {"--to", "HTML", "--decimal-separator", ";", "0"},
        {"--to", "HTML", "--decimal-separator", "", "0"},
        {"--to", "HTML", "--bogus", "0"},
        {"--all=yes", "0"},
        {"-x"},
    };
    for (const auto& args : misuses) {
        const ToolRun run = Run(args);
        SCOPED_TRACE(testing::Message() << args.size() << " arguments: " << run.err);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(LineCount(run.err), 1);
    }
}

TEST_F(HuebirdCode, HelpAndVersion)
{
    const ToolRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--decimal-separator"), std::string::npos);
    const ToolRun version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("huebird-code ", 0), 0u);
    EXPECT_EQ(LineCount(version.out), 1);
}

TEST_F(HuebirdCode, ExportsListsAndMeasuresContrastInPipelines)
{
    const char* data = std::getenv("HB_TEST_DATA");
    const std::string palette = std::string(data ? data : "tests/data") + "/lists/gimp-named.gpl";
    const std::string tool = ShellQuoted(tool_), exported = ShellQuoted((dir_ / "exported.gpl").string());
    const auto shell = [&](const std::string& command) {
        std::string out;
        FILE* pipe = popen(("LC_ALL=C; export LC_ALL; " + command).c_str(), "r");
        char buffer[4096];
        for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, got);
        EXPECT_EQ(pipe ? pclose(pipe) : -1, 0) << command;
        return out;
    };
    // An exported palette is a list the tool reads again.
    EXPECT_EQ(shell(tool + " --list " + ShellQuoted(palette) + " --export gpl --to RGB >" + exported + " && " +
                    tool + " --list " + exported + " --to HTML"),
              shell(tool + " --list " + ShellQuoted(palette) + " --to HTML"));
    // Each code of the list against white, one pair a line.
    EXPECT_EQ(shell(tool + " --list " + ShellQuoted(palette) + " --export codes | sed 's/$/\t#FFFFFF/' | " + tool +
                    " --contrast --from HTML"),
              "3.9:1 AA large\n5.1:1 AA\n4.1:1 AA large\n1.0:1 fail\n");

    const ToolRun pairs = Run({"--contrast", "0", "0xFFFFFF", "0x777777", "16777215"});
    EXPECT_EQ(pairs.exitCode, 0);
    EXPECT_EQ(pairs.out, "21.0:1 AAA\n4.4:1 AA large\n");
    const ToolRun comma = Run({"--contrast", "--decimal-separator", ",", "--from", "RGB"}, "0, 0, 0\t119, 119, 119\n");
    EXPECT_EQ(comma.out, "4,6:1 AA\n");
    const ToolRun bad = Run({"--contrast"}, "0x777777\n0 orange\n0 0\n");
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_EQ(bad.out, "\n\n1.0:1 fail\n");

    for (const std::vector<std::string>& misuse :
         {std::vector<std::string>{"--contrast", "0"}, {"--contrast", "--to", "HTML", "0", "0"}, {"--export", "gpl"},
          {"--list", palette, "--export", "svg"}, {"--list", palette, "--export", "css", "0"}}) {
        const ToolRun run = Run(misuse);
        EXPECT_EQ(run.exitCode, 2) << misuse[0] << " " << misuse[1];
        EXPECT_EQ(LineCount(run.err), 1);
    }
}

TEST_F(HuebirdCode, SurvivesAnyInput)
{
    std::mt19937 random(7);
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage += char(random() % 256);
    garbage += std::string(1200000, '9');  // a line beyond the longest one read
    garbage += "\n0\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--all"}, {"--from", "RGB01", "--to", "LAB"}, {"--from", "0"}}) {
        const ToolRun run = Run(args, garbage);
        EXPECT_TRUE(run.exitCode == 1 || run.exitCode == 3) << args[0] << " gave " << run.exitCode;
        EXPECT_EQ(LineCount(run.out), InputLineCount(garbage));
    }
}

}  // namespace
