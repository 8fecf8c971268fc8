#include "platform/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::string RuntimeDirectory()
{
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) {
        struct stat st {};
        if (::stat(dir, &st) == 0 && S_ISDIR(st.st_mode))
            return dir;
    }
    std::string fallback = "/tmp/huebird-runtime-" + std::to_string(::getuid());
    if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat st {};
    // Someone else's folder of that name must not decide whether we run.
    if (::lstat(fallback.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return {};
    return fallback;
}

TSingleInstance::TSingleInstance(const std::string& name, const std::string& lockDirectory)
{
    const std::string dir = lockDirectory.empty() ? RuntimeDirectory() : lockDirectory;
    if (dir.empty())
        return;
    path_ = dir + "/" + name + ".lock";
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Acquired;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::AlreadyRunning : State::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

TSingleInstance::~TSingleInstance()
{
    if (fd_ >= 0)
        ::close(fd_);
}
