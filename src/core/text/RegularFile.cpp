#include "core/text/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileResult SystemFault(int error) { return {FileFault::System, error}; }

// What a file found at a path allows; a folder is told apart by its own error.
FileResult RegularOnly(const struct stat& status)
{
    if (S_ISREG(status.st_mode))
        return {};
    if (S_ISDIR(status.st_mode))
        return SystemFault(EISDIR);
    return {FileFault::NotRegularFile, 0};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The path a save replaces: symbolic links followed to their end, which may
// not exist yet (a link to a file still to be made).
FileResult FinalTarget(const std::string& path, std::string& target)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0)
            return errno == ENOENT ? FileResult{} : SystemFault(errno);
        if (!S_ISLNK(status.st_mode))
            return {};
        std::string link(std::size_t(status.st_size > 0 ? status.st_size : 256) + 1, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            return SystemFault(errno);
        if (std::size_t(length) == link.size())
            return SystemFault(ENAMETOOLONG); // the link changed while it was read
        link.resize(std::size_t(length));
        if (link.starts_with('/')) {
            target = link;
        } else {
            const std::size_t slash = target.rfind('/');
            target = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + link;
        }
    }
    return SystemFault(ELOOP);
}

std::string TemporaryName(const std::string& target)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = target + '.';
    for (int i = 0; i < 6; ++i)
        name += kLetters[pick(random)];
    return name;
}

FileResult WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return SystemFault(errno);
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return {};
}

} // namespace

FileResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                           const Progress& progress)
{
    // Small enough pieces for the progress to move several times a second.
    constexpr std::size_t kPieceBytes = std::size_t(8) << 20;
    bytes.clear();
    // Judged before opening, since opening a pipe or a device can block or
    // act on the device; and again on what was opened, in case it changed.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return SystemFault(errno);
    if (const FileResult kind = RegularOnly(status); !kind.ok())
        return kind;
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return SystemFault(errno);
    if (::fstat(file.get(), &status) != 0)
        return SystemFault(errno);
    if (const FileResult kind = RegularOnly(status); !kind.ok())
        return kind;

    // Room for the whole file and one byte more, so that the end is seen
    // without growing the buffer when the file keeps its size.
    const std::size_t limit = maxBytes + 1;
    bytes.resize(std::min<std::size_t>(status.st_size > 0 ? std::size_t(status.st_size) : 0, maxBytes) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used == limit)
                break;
            bytes.resize(std::min(limit, std::max(used * 2, used + (std::size_t(1) << 16))));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + used, std::min(bytes.size() - used, kPieceBytes));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            bytes.clear();
            return SystemFault(error);
        }
        if (got == 0)
            break;
        used += std::size_t(got);
        if (progress && !progress(ProgressStep(used, std::max(used, std::size_t(status.st_size))))) {
            bytes.clear();
            bytes.shrink_to_fit();
            return {FileFault::Cancelled, 0};
        }
    }
    if (used > maxBytes) {
        bytes.clear();
        bytes.shrink_to_fit();
        return SystemFault(EFBIG);
    }
    bytes.resize(used);
    return {};
}

RegularFileWriter::RegularFileWriter(const std::string& path)
{
    if (result_ = FinalTarget(path, target_); !result_.ok())
        return;
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        result_ = SystemFault(errno);
        return;
    }
    if (exists) {
        if (result_ = RegularOnly(old); !result_.ok())
            return;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = TemporaryName(target_);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            result_ = SystemFault(errno);
            return;
        }
    }
    if (fd_ < 0) {
        result_ = SystemFault(EEXIST);
        return;
    }
    if (exists) {
        // Best effort: only root may give a file away.
        [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
        ::fchmod(fd_, old.st_mode & 07777);
    }
}

RegularFileWriter::~RegularFileWriter()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

void RegularFileWriter::Write(std::string_view bytes)
{
    if (result_.ok())
        result_ = WriteAll(fd_, bytes);
}

FileResult RegularFileWriter::Commit()
{
    if (fd_ < 0)
        return result_;
    // A file system that cannot sync (EINVAL) still keeps what was written.
    if (result_.ok() && ::fsync(fd_) != 0 && errno != EINVAL && errno != ENOTSUP)
        result_ = SystemFault(errno);
    if (::close(fd_) != 0 && result_.ok())
        result_ = SystemFault(errno);
    fd_ = -1;
    if (result_.ok() && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        result_ = SystemFault(errno);
    if (!result_.ok())
        ::unlink(temporary_.c_str());
    return result_;
}
