// Reading and saving whole files on Windows: UTF-8 paths, only disk files,
// never more than a limit, and no temporary file left behind.
#include "core/text/RegularFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

class Folder {
public:
    Folder() : path_(fs::temp_directory_path() / ("hb-file-" + std::to_string(std::random_device{}())))
    {
        fs::create_directory(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    // UTF-8, as the program passes paths.
    std::string operator/(const std::string& name) const { return Utf8(path_) + "/" + name; }
    const fs::path& path() const { return path_; }
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(path_))
            found.insert(Utf8(entry.path().filename()));
        return found;
    }

private:
    fs::path path_;
};

TEST(RegularFileOnWindows, SavesAndReadsBackThroughUtf8PathsUpToTheLimit)
{
    Folder folder;
    const std::string name = "couleurs \xC3\xA9t\xC3\xA9 \xE2\x82\xAC.txt"; // "couleurs été €.txt"
    ASSERT_TRUE(WriteRegularFile(folder / name, "old").ok());
    ASSERT_TRUE(WriteRegularFile(folder / name, std::string(100000, 'x')).ok());
    EXPECT_EQ(folder.names(), std::set<std::string>{name}); // replaced, no temporary file left

    std::string read = "stale";
    EXPECT_TRUE(ReadRegularFile(folder / name, 100000, read).ok());
    EXPECT_EQ(read, std::string(100000, 'x'));
    const FileResult over = ReadRegularFile(folder / name, 99999, read);
    EXPECT_EQ(over.systemError, EFBIG);
    EXPECT_EQ(read, "");
    EXPECT_EQ(ReadRegularFile(folder / "missing.txt", 10, read).systemError, ENOENT);
}

TEST(RegularFileOnWindows, RefusesFoldersAndDevices)
{
    Folder folder;
    fs::create_directory(folder.path() / "sub");
    std::string read;
    EXPECT_EQ(ReadRegularFile(folder / "sub", 10, read).systemError, EISDIR);
    EXPECT_EQ(WriteRegularFile(folder / "sub", "x").systemError, EISDIR);
    EXPECT_EQ(ReadRegularFile("NUL", 10, read).fault, FileFault::NotRegularFile);
    EXPECT_EQ(WriteRegularFile("NUL", "x").fault, FileFault::NotRegularFile);
    EXPECT_EQ(folder.names(), std::set<std::string>{"sub"});
    EXPECT_EQ(FileFaultText({FileFault::NotRegularFile, 0}), "Not a regular file");
}

} // namespace
