// Reading and saving whole files: only regular files, never more than a limit,
// and a failed save leaves the old file whole.
#include "core/text/RegularFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/exchange/ColorListFile.h"

namespace {

namespace fs = std::filesystem;

class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "hb-file-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~Folder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(path_))
            found.insert(entry.path().filename().string());
        return found;
    }

private:
    fs::path path_;
};

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

mode_t Umask()
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

struct Refusal {
    const char* name;
    FileFault fault;
    int systemError;
};

TEST(ReadColorListFile, RefusesAnythingButARegularFileAtOnce)
{
    Folder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "zero.txt");
    fs::create_symlink("/dev/urandom", folder / "random.gpl");
    fs::create_symlink(folder / "pipe.txt", folder / "to-pipe.txt");
    fs::create_symlink(folder / "loop.txt", folder / "loop.txt");
    fs::create_directory(folder / "folder.txt");
    const Refusal refusals[] = {
        {"pipe.txt", FileFault::NotRegularFile, 0},  {"zero.txt", FileFault::NotRegularFile, 0},
        {"random.gpl", FileFault::NotRegularFile, 0}, {"to-pipe.txt", FileFault::NotRegularFile, 0},
        {"loop.txt", FileFault::System, ELOOP},       {"folder.txt", FileFault::System, EISDIR},
        {"missing.txt", FileFault::System, ENOENT},
    };
    for (const Refusal& r : refusals) {
        const ColorListReadResult read = ReadColorListFile(folder / r.name);
        EXPECT_EQ(read.status, ColorListStatus::Unreadable) << r.name;
        EXPECT_EQ(read.file.fault, r.fault) << r.name;
        EXPECT_EQ(read.file.systemError, r.systemError) << r.name;
    }
    EXPECT_EQ(FileFaultText({FileFault::NotRegularFile, 0}), "Not a regular file");
    EXPECT_EQ(FileFaultText({FileFault::System, ENOSPC}), std::system_category().message(ENOSPC));
}

TEST(ReadRegularFile, ReadsToTheEndUpToTheLimit)
{
    Folder folder;
    const std::string bytes(100000, 'x');
    folder.write("big", bytes);
    std::string read = "stale";
    EXPECT_TRUE(ReadRegularFile(folder / "big", bytes.size(), read).ok());
    EXPECT_EQ(read, bytes);
    const FileResult over = ReadRegularFile(folder / "big", bytes.size() - 1, read);
    EXPECT_EQ(over.systemError, EFBIG);
    EXPECT_EQ(read, "");
    // The size the system tells is only a hint: a /proc file says 0.
    EXPECT_TRUE(ReadRegularFile("/proc/self/status", 1 << 20, read).ok());
    EXPECT_NE(read.find("Name:"), std::string::npos);
}

struct SaveCase {
    const char* name;
    std::function<void(const Folder&)> make; // what is at "target" before the save
    FileFault fault;
    int systemError;
    const char* replaced; // the file that holds the new bytes afterwards; nullptr for none
};

bool IsPipe(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

TEST(WriteRegularFile, ReplacesRegularFilesOnlyAndWritesThroughLinks)
{
    const auto pipe = [](const Folder& f, const char* name) { ASSERT_EQ(::mkfifo((f / name).c_str(), 0600), 0); };
    const SaveCase cases[] = {
        {"new file", [](const Folder&) {}, FileFault::None, 0, "target"},
        {"old file", [](const Folder& f) { f.write("target", "old"); }, FileFault::None, 0, "target"},
        {"link to a file",
         [](const Folder& f) {
             f.write("real", "old");
             fs::create_symlink("real", f / "target");
         },
         FileFault::None, 0, "real"},
        {"link to a file still to be made", [](const Folder& f) { fs::create_symlink("made", f / "target"); },
         FileFault::None, 0, "made"},
        {"pipe", [&](const Folder& f) { pipe(f, "target"); }, FileFault::NotRegularFile, 0, nullptr},
        {"link to a pipe",
         [&](const Folder& f) {
             pipe(f, "pipe");
             fs::create_symlink(f / "pipe", f / "target");
         },
         FileFault::NotRegularFile, 0, nullptr},
        {"link to /dev/null", [](const Folder& f) { fs::create_symlink("/dev/null", f / "target"); },
         FileFault::NotRegularFile, 0, nullptr},
        {"folder", [](const Folder& f) { fs::create_directory(f / "target"); }, FileFault::System, EISDIR, nullptr},
        {"link loop", [](const Folder& f) { fs::create_symlink("target", f / "target"); }, FileFault::System, ELOOP,
         nullptr},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        c.make(folder);
        const std::set<std::string> before = folder.names();
        const bool link = fs::is_symlink(fs::symlink_status(folder / "target"));
        const FileResult result = WriteRegularFile(folder / "target", "new bytes");
        EXPECT_EQ(result.fault, c.fault);
        EXPECT_EQ(result.systemError, c.systemError);
        std::set<std::string> after = before;
        if (c.replaced) {
            after.insert(c.replaced);
            EXPECT_EQ(Contents(folder / c.replaced), "new bytes");
        }
        EXPECT_EQ(folder.names(), after); // no temporary file is left
        EXPECT_EQ(fs::is_symlink(fs::symlink_status(folder / "target")), link); // a link stays a link
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    // A pipe is never opened, so nothing waits for a reader.
    Folder folder;
    pipe(folder, "pipe");
    EXPECT_EQ(WriteRegularFile(folder / "pipe", "x").fault, FileFault::NotRegularFile);
    EXPECT_TRUE(IsPipe(folder / "pipe"));
}

TEST(WriteRegularFile, KeepsTheModeOfTheOldFileAndGivesANewOneTheUsualMode)
{
    Folder folder;
    folder.write("old", "old");
    ASSERT_EQ(::chmod((folder / "old").c_str(), 0640), 0);
    ASSERT_TRUE(WriteRegularFile(folder / "old", "new").ok());
    EXPECT_EQ(fs::status(folder / "old").permissions(), fs::perms(0640));
    ASSERT_TRUE(WriteRegularFile(folder / "new", "new").ok());
    EXPECT_EQ(fs::status(folder / "new").permissions(), fs::perms(0666 & ~Umask()));
}

TEST(WriteRegularFile, AFailedWriteGivesTheSystemsReasonAndKeepsTheOldFile)
{
    Folder folder;
    folder.write("list.txt", "old contents");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult result = WriteRegularFile(folder / "list.txt", std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result.fault, FileFault::System);
    EXPECT_EQ(FileFaultText(result), std::system_category().message(EFBIG));
    EXPECT_EQ(Contents(folder / "list.txt"), "old contents");
    EXPECT_EQ(folder.names(), std::set<std::string>{"list.txt"});
}

} // namespace
