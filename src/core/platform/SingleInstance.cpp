#include "core/platform/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::string FallbackRuntimeDirectory()
{
    std::string fallback = "/tmp/huebird-runtime-" + std::to_string(::getuid());
    if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat st {};
    // Someone else's folder of that name must not decide whether we run.
    if (::lstat(fallback.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return {};
    return fallback;
}

std::string RuntimeDirectory()
{
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) {
        struct stat st {};
        if (::stat(dir, &st) == 0 && S_ISDIR(st.st_mode))
            return dir;
    }
    return FallbackRuntimeDirectory();
}

SingleInstance::SingleInstance(const std::string& name, const std::string& lockDirectory)
{
    if (!lockDirectory.empty()) {
        Lock(lockDirectory + "/" + name + ".lock");
        return;
    }
    // A runtime folder that cannot hold the lock (a read-only file system)
    // would let every copy run: the private folder holds it instead.
    const std::string runtime = RuntimeDirectory();
    if (!runtime.empty() && Lock(runtime + "/" + name + ".lock"))
        return;
    if (const std::string fallback = FallbackRuntimeDirectory(); !fallback.empty() && fallback != runtime)
        Lock(fallback + "/" + name + ".lock");
}

bool SingleInstance::Lock(const std::string& path)
{
    path_ = path;
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return false;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Acquired;
        return true;
    }
    const bool taken = errno == EWOULDBLOCK;
    state_ = taken ? State::AlreadyRunning : State::Unavailable;
    ::close(fd_);
    fd_ = -1;
    return taken;
}

SingleInstance::~SingleInstance()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool ClearStaleSocket(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return true;
    if (!S_ISSOCK(st.st_mode))
        return false;
    ::unlink(path.c_str());
    return true;
}
