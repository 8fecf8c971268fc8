#include "core/exchange/ColorListFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/color/ColorCodes.h"

namespace {

namespace fs = std::filesystem;

std::string DataFile(const std::string& name)
{
    const char* data = std::getenv("HB_TEST_DATA");
    const std::string dir = data ? data : (std::string(std::getenv("HB_SOURCE_DIR") ? std::getenv("HB_SOURCE_DIR") : ".") + "/tests/data");
    return dir + "/lists/" + name;
}

constexpr Rgb kOrange{255, 128, 0}, kSteelBlue{70, 130, 180};

class TempDir {
public:
    TempDir()
    {
        std::random_device random;
        do
            path_ = fs::temp_directory_path() / ("hb-list-" + std::to_string(random()));
        while (!fs::create_directory(path_));
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string& name, const std::string& bytes) const
    {
        const fs::path p = path_ / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct FixtureCase {
    const char* file;
    RgbList colors;
};

class SavedAndPaletteFiles : public testing::TestWithParam<FixtureCase> {};

TEST_P(SavedAndPaletteFiles, GiveTheirColoursInFileOrder)
{
    const ColorListReadResult result = ReadColorListFile(DataFile(GetParam().file));
    ASSERT_EQ(result.status, ColorListStatus::Loaded);
    EXPECT_EQ(result.colors, GetParam().colors);
}

const RgbList kSavedColors = {kOrange, kBlack, kWhite, kSteelBlue};

INSTANTIATE_TEST_SUITE_P(
    RealWorld, SavedAndPaletteFiles,
    testing::Values(FixtureCase{"saved-html.txt", kSavedColors}, FixtureCase{"saved-rgb.txt", kSavedColors},
                    FixtureCase{"saved-hsv.txt", kSavedColors}, FixtureCase{"saved-hsl.txt", kSavedColors},
                    FixtureCase{"saved-cmyk.txt", kSavedColors}, FixtureCase{"saved-lab.txt", kSavedColors},
                    FixtureCase{"saved-tcolor.txt", kSavedColors}, FixtureCase{"saved-hexa.txt", kSavedColors},
                    FixtureCase{"saved-hsl255.txt", kSavedColors}, FixtureCase{"saved-hsl240.txt", kSavedColors},
                    FixtureCase{"saved-rgb01.txt", kSavedColors}, FixtureCase{"saved-rgb01-comma.txt", kSavedColors},
                    FixtureCase{"gimp-named.gpl", {Rgb{255, 0, 0}, Rgb{0, 128, 0}, kSteelBlue, kWhite}},
                    FixtureCase{"gimp-cp1252.gpl", {Rgb{0, 255, 255}, Rgb{128, 0, 128}, Rgb{255, 215, 0}}},
                    FixtureCase{"endings-cr.txt", {kOrange, kBlack, kSteelBlue}},
                    FixtureCase{"endings-mixed.txt", {kOrange, kBlack, kSteelBlue}},
                    FixtureCase{"bom.txt", {kOrange, kBlack}}));

struct TextCase {
    const char* name;
    std::string bytes;
    ColorListStatus status;
    RgbList colors;
};

class ReadingRules : public testing::TestWithParam<TextCase> {};

TEST_P(ReadingRules, Apply)
{
    const ColorListReadResult result = ReadColorListText(GetParam().bytes);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.colors, GetParam().colors);
}

constexpr auto kLoaded = ColorListStatus::Loaded;
constexpr auto kBad = ColorListStatus::BadContent;

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadingRules,
    testing::Values(
        TextCase{"PlainLine", "1 2 3", kLoaded, {Rgb{1, 2, 3}}},
        TextCase{"ByteExtremes", "0 255 0\r\n255 0 255", kLoaded, {Rgb{0, 255, 0}, Rgb{255, 0, 255}}},
        TextCase{"TabsRunsAndWords", "  10\t\t20  \t 30 extra words here\t\r\n", kLoaded, {Rgb{10, 20, 30}}},
        TextCase{"ControlCharactersTrimmed", "\x01\x02 9 8 7 \x1f", kLoaded, {Rgb{9, 8, 7}}},
        TextCase{"OneFieldLinesSkipped", "12\r\n12abc\r\n1 2 3", kLoaded, {Rgb{1, 2, 3}}},
        TextCase{"NonDigitStartSkipped", "red 1 2 3\n-1 2 3\n+1 2 3\n#1 2 3\n4 5 6", kLoaded, {Rgb{4, 5, 6}}},
        TextCase{"BlankLinesBetween", "1 2 3\r\r\n\n\n4 5 6\r\n", kLoaded, {Rgb{1, 2, 3}, Rgb{4, 5, 6}}},
        TextCase{"ByteOrderMarkBeforeColour", "\xEF\xBB\xBF" "1 2 3", kLoaded, {Rgb{1, 2, 3}}},
        TextCase{"TwoFields", "1 2 3\r\n4 5\r\n6 7 8\r\n", kBad, {}},
        TextCase{"WordAsThirdField", "1 2 three", kBad, {}},
        TextCase{"WordAsSecondField", "1 two 3", kBad, {}},
        TextCase{"DigitsThenLetters", "1 2 3x", kBad, {}},
        TextCase{"HexNotAccepted", "1 2 0x10", kBad, {}},
        TextCase{"PlusSignNotAccepted", "1 2 +3", kBad, {}},
        TextCase{"BeyondByte", "1 2 3\r\n300 -1 256\r\n", kBad, {}},
        TextCase{"NegativeField", "1 -1 3", kBad, {}},
        TextCase{"Int32Extremes", "7 2147483647 -2147483648", kBad, {}},
        TextCase{"BeyondInt32", "1 2 99999999999", kBad, {}},
        TextCase{"BelowInt32", "1 2 -2147483649", kBad, {}},
        TextCase{"Empty", "", kBad, {}},
        TextCase{"OnlyByteOrderMark", "\xEF\xBB\xBF", kBad, {}},
        TextCase{"OnlyHeaderAndComments", "GIMP Palette\r\nName: x\r\nColumns: 3\r\n# 1 2 3\r\n[RGB,HTML]\r\n", kBad, {}},
        TextCase{"OnlyOneFieldLines", "1\n2\n3\n", kBad, {}}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(NormalizeBlanks, TurnsTabsAndRunsIntoSingleSpacesWithoutTrimming)
{
    EXPECT_EQ(NormalizeBlanks("a\t\tb  c \t d"), "a b c d");
    EXPECT_EQ(NormalizeBlanks(" \t lead and trail\t"), " lead and trail ");
    EXPECT_EQ(NormalizeBlanks("     "), " ");
    EXPECT_EQ(NormalizeBlanks(""), "");
}

TEST(ColorListLine, RightAlignsTheBytesAndAddsTheCodeAfterATab)
{
    EXPECT_EQ(ColorListLine(kOrange, "#FF8000"), "255 128   0\t#FF8000");
    EXPECT_EQ(ColorListLine(Rgb{5, 0, 10}, "x"), "  5   0  10\tx");
}

TEST(ColorListFileText, IsTheHeaderAndOneLinePerColourEachEndedByCrLf)
{
    const RgbList list = {kOrange, kBlack};
    std::string expected = "[RGB,HSV/HSB]\r\n";
    for (Rgb c : list)
        expected += ColorListLine(c, std::string(WriteColorCode(2, c, '.').View())) + "\r\n";
    EXPECT_EQ(ColorListFileText(list, 2, '.'), expected);
    EXPECT_EQ(ColorListFileText({}, 0, '.'), "[RGB,HTML]\r\n");
    EXPECT_EQ(ColorListFileText({kBlack}, -1, '.'), "[RGB,]\r\n  0   0   0\t\r\n");
}

TEST(ColorListFileText, ReadsBackAsTheSameListInEveryNotation)
{
    RgbList list;
    for (Rgb c : {Rgb{0, 0, 0}, Rgb{255, 255, 255}, Rgb{255, 128, 0}, Rgb{3, 2, 1}, Rgb{254, 0, 254}, Rgb{0, 255, 0}, Rgb{128, 127, 127}})
        list.push_back(c);
    for (int format = 0; format < FormatCount; ++format)
        for (char separator : {'.', ','}) {
            const ColorListReadResult back = ReadColorListText(ColorListFileText(list, format, separator));
            ASSERT_EQ(back.status, ColorListStatus::Loaded) << format;
            EXPECT_EQ(back.colors, list) << format;
        }
}

TEST(ColorListClipboardText, IsTheCodesEachFollowedByCrLf)
{
    EXPECT_EQ(ColorListClipboardText({kOrange, kBlack}, 1, '.'),
              std::string(WriteColorCode(1, kOrange, '.').View()) + "\r\n" + std::string(WriteColorCode(1, kBlack, '.').View()) + "\r\n");
    EXPECT_EQ(ColorListClipboardText({}, 0, '.'), "");
}

TEST(HasColorListExtension, AcceptsTxtAndGplInAnyCaseOnTheFileName)
{
    const std::pair<const char*, bool> cases[] = {
        {"/home/u/list.txt", true},  {"palette.gpl", true},     {"/a/.txt", true},
        {"list.TXT", true},          {"palette.Gpl", true},     {"list", false},
        {"/dir.txt/list", false},    {"list.txt.bak", false},   {"list.txt ", false},
        {"/a.b/c", false},           {"", false},               {"list.", false},
    };
    for (const auto& [path, accepted] : cases)
        EXPECT_EQ(HasColorListExtension(path), accepted) << path;
    EXPECT_EQ(FileNamePart("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(FileNamePart("c.txt"), "c.txt");
}

TEST(ReadColorListFile, RefusesWhatCannotBeRead)
{
    TempDir dir;
    EXPECT_EQ(ReadColorListFile((dir.path() / "missing.txt").string()).status, ColorListStatus::Unreadable);
    fs::create_directory(dir.path() / "folder.txt");
    EXPECT_EQ(ReadColorListFile((dir.path() / "folder.txt").string()).status, ColorListStatus::Unreadable);
    // The extension is judged before the file is looked at.
    EXPECT_EQ(ReadColorListFile(dir.file("good.TXT", "1 2 3")).status, ColorListStatus::Loaded);
    EXPECT_EQ(ReadColorListFile((dir.path() / "missing.png").string()).status, ColorListStatus::BadExtension);

#ifndef _WIN32
    const std::string locked = dir.file("locked.txt", "1 2 3");
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0)
        EXPECT_EQ(ReadColorListFile(locked).status, ColorListStatus::Unreadable);
#endif
}

#ifndef _WIN32 // paths past 260 characters, pipes and links, the tool through a shell
TEST(ReadColorListFile, ReadsThroughAVeryLongPath)
{
    TempDir dir;
    std::string relative;
    for (int i = 0; i < 12; ++i)
        relative += std::string(60, char('a' + i)) + "/";
    relative += "list.txt";
    const std::string path = dir.file(relative, "[RGB,HTML]\r\n  1   2   3\t#010203\r\n");
    ASSERT_GT(path.size(), 700u);
    const ColorListReadResult result = ReadColorListFile(path);
    ASSERT_EQ(result.status, ColorListStatus::Loaded);
    EXPECT_EQ(result.colors, (RgbList{Rgb{1, 2, 3}}));
}

// The companion tool converts a file to the list the program would save, and
// refuses what the program refuses.
TEST(HuebirdCodeList, PrintsTheSavedListOrRefusesTheFile)
{
    const char* tool = std::getenv("HB_CODE_TOOL");
    if (!tool)
        GTEST_SKIP() << "HB_CODE_TOOL is not set";
    const auto run = [&](const std::string& arguments, std::string& out) {
        out.clear();
        std::FILE* pipe = ::popen((std::string(tool) + " " + arguments + " 2>/dev/null").c_str(), "r");
        char chunk[4096];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
            out.append(chunk, got);
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    const std::string palette = DataFile("gimp-named.gpl");
    EXPECT_EQ(run("--list '" + palette + "' --to RGB --decimal-separator .", out), 0);
    EXPECT_EQ(out, ColorListFileText(ReadColorListFile(palette).colors, 1, '.'));

    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.txt").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path() / "zero.gpl");
    for (const std::string& refused :
         {dir.file("two.txt", "1 2\r\n"), dir.file("wide.txt", "1 2 300"), (dir.path() / "gone.gpl").string(),
          (dir.path() / "pipe.txt").string(), (dir.path() / "zero.gpl").string()}) {
        EXPECT_EQ(run("--list '" + refused + "' --to 0", out), 1) << refused;
        EXPECT_EQ(out, "") << refused;
    }
}
#endif

} // namespace
