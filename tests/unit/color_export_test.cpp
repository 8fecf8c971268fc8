#include "core/exchange/ColorExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/color/ColorCodes.h"
#include "core/color/ColorNames.h"
#include "core/exchange/ColorListFile.h"

namespace {

namespace fs = std::filesystem;

std::string DataDir()
{
    const char* data = std::getenv("HB_TEST_DATA");
    return std::string(data ? data : "tests/data") + "/lists/";
}

RgbList SomeColours()
{
    RgbList list;
    for (StoredColor value = 0; value < (1u << 24); value += 0x0F4243)
        list.push_back(RgbFromStoredColor(value));
    return list;
}

TEST(ColorExport, PaletteReadsBackToTheSameColoursInEveryNotation)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(DataDir()))
        if (entry.path().filename().string().starts_with("saved-") || entry.path().extension() == ".gpl")
            files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 14u);
    for (const std::string& file : files) {
        const ColorListReadResult original = ReadColorListFile(file);
        ASSERT_EQ(original.status, ColorListStatus::Loaded) << file;
        for (int notation = -1; notation < FormatCount; ++notation) {
            for (char separator : {'.', ','}) {
                const std::string palette = ExportColorList(
                    original.colors, ExportFormat::GimpPalette, {notation, separator, "Name\nwith\tcontrols"});
                SCOPED_TRACE(file + "\n" + palette);
                EXPECT_EQ(palette.rfind("GIMP Palette\nName: Name with controls\n", 0), 0u);
                const ColorListReadResult back = ReadColorListText(palette);
                ASSERT_EQ(back.status, ColorListStatus::Loaded);
                EXPECT_EQ(back.colors, original.colors);
            }
        }
    }
}

#ifndef _WIN32 // a Python of the machine reads the file
TEST(ColorExport, JsonParsesAndHoldsEveryNotation)
{
    const RgbList list = SomeColours();
    const fs::path file = fs::temp_directory_path() / ("hb-export-" + std::to_string(getpid()) + ".json");
    std::ofstream(file, std::ios::binary) << ExportColorList(list, ExportFormat::Json, {5, ','});
    // Prints, per colour, each notation's code in notation order and the
    // nearest named colour, TAB-separated.
    const std::string script =
        "import json,sys\n"
        "keys=['HTML','RGB','HSV/HSB','HSL','CMYK','LAB','TColor','Hexa','HSL255','HSL240','RGB01','CSSRGB','CSSHSL','OKLAB','OKLCH']\n"
        "for o in json.load(open(sys.argv[1],encoding='utf-8')):\n"
        "  assert sorted(o)==sorted(keys+['name']), o\n"
        "  print('\\t'.join([o[k] for k in keys]+[o['name']]))\n";
    const std::string command = "python3 -c \"$HB_SCRIPT\" " + file.string();
    setenv("HB_SCRIPT", script.c_str(), 1);
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string printed;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        printed.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0);
    fs::remove(file);

    std::string expected;
    for (Rgb color : list) {
        for (int i = 0; i < FormatCount; ++i)
            expected += std::string(WriteColorCode(i, color, ',').View()) + "\t";
        expected += std::string(NearestCssColorName(color).name) + "\n";
    }
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(ExportColorList({}, ExportFormat::Json, {}), "[]\n");
}
#endif

TEST(ColorExport, StyleSheetsNameEveryColourInListOrder)
{
    const RgbList list = SomeColours();
    // A custom property is "--" and a name; an SCSS variable "$" and an identifier.
    const std::regex css(R"(  --([A-Za-z_][A-Za-z0-9_-]*): (#[0-9A-F]{6}); /\* ((?:(?!\*/).)*) \*/)");
    const std::regex scss(R"(\$([A-Za-z_][A-Za-z0-9_-]*): (#[0-9A-F]{6}); // ([^\n]*))");
    for (ExportFormat format : {ExportFormat::Css, ExportFormat::Scss}) {
        std::istringstream lines(ExportColorList(list, format, {10, ','}));
        std::string line;
        std::size_t declarations = 0;
        while (std::getline(lines, line)) {
            std::smatch m;
            if (!std::regex_match(line, m, format == ExportFormat::Css ? css : scss))
                continue;
            ASSERT_LT(declarations, list.size());
            const Rgb color = list[declarations++];
            EXPECT_EQ(m[1], "color-" + std::to_string(declarations));
            EXPECT_EQ(m[2], std::string(WriteColorCode(0, color, ',').View()));
            // The code, then the nearest named colour.
            EXPECT_EQ(m[3], std::string(WriteColorCode(10, color, ',').View()) + " (" +
                                ColorNameText(NearestCssColorName(color)) + ")");
        }
        EXPECT_EQ(declarations, list.size());
    }
}

// Piece by piece into the file, the progress rising to its end; a cancel
// leaves the old file as it was, or none, and no temporary file.
TEST(ColorExport, FileIsWrittenInPiecesAndACancelLeavesNoFile)
{
    RgbList list;
    for (StoredColor value = 0; value < 5000; ++value)
        list.push_back(RgbFromStoredColor(value * 3331));
    const fs::path folder = fs::temp_directory_path() / ("hb-export-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::vector<int> steps;
    const FileResult written = ExportColorListFile((folder / "all.json").string(), list, ExportFormat::Json, {},
                                                   [&](int step) {
                                                       steps.push_back(step);
                                                       return true;
                                                   });
    EXPECT_TRUE(written.ok());
    // Each file is closed again at once: Windows removes no open file.
    const auto contents = [&](const char* name) {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(contents("all.json"), ExportColorList(list, ExportFormat::Json, {}));
    EXPECT_GE(steps.size(), 4u);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    EXPECT_EQ(steps.back(), kProgressSteps);

    std::ofstream(folder / "old.json", std::ios::binary) << "old";
    for (const char* name : {"old.json", "new.json"}) {
        int calls = 0;
        const FileResult cancelled = ExportColorListFile((folder / name).string(), list, ExportFormat::Json, {},
                                                         [&](int) { return ++calls < 2; });
        EXPECT_EQ(cancelled.fault, FileFault::Cancelled);
        EXPECT_EQ(calls, 2);
    }
    EXPECT_EQ(contents("old.json"), "old");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"all.json", "old.json"}));
    fs::remove_all(folder);
}

TEST(ColorExport, FormatNamesAndExtensions)
{
    for (ExportFormat format : ExportFormats())
        EXPECT_EQ(ExportFormatFromName(ExportFormatName(format)), format);
    EXPECT_EQ(ExportFormatFromName("SCSS"), ExportFormat::Scss);
    EXPECT_EQ(ExportFormatExtension(ExportFormat::Codes), "txt");
    EXPECT_EQ(ExportFormatFromName("txt"), std::nullopt);
    EXPECT_EQ(ExportColorList({Rgb{255, 128, 0}, kBlack}, ExportFormat::Codes, {1, '.'}), "255, 128, 0\n0, 0, 0\n");
}

} // namespace
