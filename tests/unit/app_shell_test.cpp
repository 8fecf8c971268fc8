#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/config/LanguageFile.h"
#include "core/config/ProgramInfo.h"
#include "core/ui/JpegImage.h"
#include "core/config/MessageText.h"
#ifndef _WIN32
#include "core/platform/SingleInstance.h"
#endif

namespace {

TEST(FormatMessageText, RemovesSeparatorFollowedByTwoZerosForTheUsersSeparator)
{
    EXPECT_EQ(FormatMessageText("12,00 and 3,005", {}, ','), "12 and 35");
    EXPECT_EQ(FormatMessageText("nothing to remove, 0", {}, ','), "nothing to remove, 0");
    EXPECT_EQ(FormatMessageText("12,00 and 3.005", {}, '.'), "12,00 and 35");
    EXPECT_EQ(FormatMessageText(",00,00,0", {}, ','), ",0");
    EXPECT_EQ(FormatMessageText(",000", {}, ','), "0");
}

TEST(FormatMessageText, AppliesTheRemovalToFilledArgumentsToo)
{
    EXPECT_EQ(FormatMessageText("Overwrite %s?", {std::string("/home/a.00/list.txt")}, '.'),
              "Overwrite /home/a/list.txt?");
}

TEST(FormatMessageText, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(FillFormatText("%s has %d colours", {std::string("list.txt"), std::int64_t(-12)}),
              "list.txt has -12 colours");
    EXPECT_EQ(FillFormatText("100%% sure", {}), "100% sure");
}

TEST(FormatMessageText, HostileFormatTextsNeverReadMissingArguments)
{
    EXPECT_EQ(FillFormatText("%s %s %s %d", {std::string("a")}), "a %s %s %d");
    EXPECT_EQ(FillFormatText("%n%x%p%.999999f%", {std::string("a")}), "%n%x%p%.999999f%");
    EXPECT_EQ(FillFormatText("%", {}), "%");
    EXPECT_EQ(FillFormatText("%d", {std::string("text")}), "text");
    EXPECT_EQ(FillFormatText("%s", {std::int64_t(7)}), "7");
    EXPECT_EQ(FillFormatText("no placeholder", {std::string("surplus"), std::int64_t(1)}), "no placeholder");
    const std::string huge(1 << 20, 'x');
    EXPECT_EQ(FillFormatText("[%s]", {huge}).size(), huge.size() + 2);
    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += "%s";
    EXPECT_EQ(FillFormatText(many, {std::string("z")}).substr(0, 3), "z%s");
}

TEST(ProgramInfo, NamesAndVersions)
{
    EXPECT_STREQ(kProgramName, "Huebird");
    EXPECT_STREQ(kProgramFileVersion, "2.0.2.1");
    EXPECT_EQ(std::string(kProgramTitle), std::string(kProgramName) + " v." + kProgramVersion);
    EXPECT_EQ(LanguageFilePathFor("/opt/Tools/", "fr"), "/opt/Tools/language/lang_fr.txt");
    EXPECT_EQ(HelpFilePathFor("/opt/Tools/", "fr"), "/opt/Tools/help/help_fr.htm");
}

TEST(ProgramInfo, AddressesLiveUnderTheReservedExampleDomain)
{
    const std::string site = kWebSiteUrl;
    EXPECT_EQ(site.rfind("http://", 0), 0u);
    EXPECT_NE(site.find(".example."), std::string::npos);
    EXPECT_EQ(site.back(), '/');
    EXPECT_EQ(kDownloadPageFr, site + "FR/download-fr.php");
    EXPECT_EQ(kDownloadPageEn, site + "EN/download-en.php");
}

#ifndef _WIN32 // the lock file in the runtime folder is Linux's
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
              / ("huebird-lock-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(SingleInstanceTest, SecondCopyIsRefusedUntilTheFirstEnds)
{
    {
        SingleInstance first("HuebirdLite", dir.string());
        ASSERT_EQ(first.state(), SingleInstance::State::Acquired);
        SingleInstance second("HuebirdLite", dir.string());
        EXPECT_EQ(second.state(), SingleInstance::State::AlreadyRunning);
    }
    SingleInstance third("HuebirdLite", dir.string());
    EXPECT_EQ(third.state(), SingleInstance::State::Acquired);
}

TEST_F(SingleInstanceTest, LeftOverLockFileOfACrashedCopyDoesNotBlock)
{
    std::ofstream(dir / "HuebirdLite.lock") << "stale";
    SingleInstance guard("HuebirdLite", dir.string());
    EXPECT_EQ(guard.state(), SingleInstance::State::Acquired);
}

TEST_F(SingleInstanceTest, UnusableFolderLetsTheProgramRunWithoutGuard)
{
    SingleInstance guard("HuebirdLite", (dir / "missing" / "deeper").string());
    EXPECT_EQ(guard.state(), SingleInstance::State::Unavailable);
}

TEST_F(SingleInstanceTest, RuntimeFolderThatCannotHoldTheLockGivesWayToThePrivateOne)
{
    const std::string name = "HuebirdLite-test-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir / (name + ".lock")); // in the way of the lock file
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved ? saved : "";
    // /proc stands for a read-only file system: not even root creates a file there.
    for (const std::string& runtime : {std::string("/proc"), dir.string()}) {
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        SingleInstance first(name);
        ASSERT_EQ(first.state(), SingleInstance::State::Acquired) << runtime;
        EXPECT_EQ(first.lockPath().rfind("/tmp/huebird-runtime-", 0), 0u) << first.lockPath();
        SingleInstance second(name);
        EXPECT_EQ(second.state(), SingleInstance::State::AlreadyRunning) << runtime;
        std::filesystem::remove(first.lockPath());
    }
    if (saved)
        ::setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}
#endif

TEST(DecodeJpeg, DecodesTheStoredPictures)
{
    const std::string path = std::string(std::getenv("HB_SOURCE_DIR")) + "/data/images/logo.jpg";
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(bytes.empty());
    const auto picture = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 128);
    EXPECT_EQ(picture->height, 128);
    EXPECT_EQ(picture->rgb.size(), 128u * 128u * 3u);
}

TEST(DecodeJpeg, RefusesDataThatIsNoJpeg)
{
    const std::uint8_t garbage[] = {'G', 'I', 'F', '8', '9', 'a', 0, 1, 2, 3};
    EXPECT_FALSE(DecodeJpeg(garbage, sizeof garbage).has_value());
    EXPECT_FALSE(DecodeJpeg(nullptr, 0).has_value());
    const std::uint8_t header_only[] = {0xFF, 0xD8, 0xFF};
    EXPECT_FALSE(DecodeJpeg(header_only, sizeof header_only).has_value());
}

} // namespace
