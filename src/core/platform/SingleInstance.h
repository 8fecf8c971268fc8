#pragma once
// One copy of the program per desktop session: a lock held for the whole run
// (a lock file, on Windows a named mutex). The system drops the lock with the
// process, so a crashed copy never blocks the next start.
#include <string>

class SingleInstance {
public:
    enum class State { Acquired, AlreadyRunning, Unavailable };

    // lockDirectory empty: the user's runtime directory, or a private folder
    // under /tmp when that one cannot hold the lock.
    explicit SingleInstance(const std::string& name, const std::string& lockDirectory = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    State state() const { return state_; }
    const std::string& lockPath() const { return path_; }

private:
    // True when the lock file settles the question: taken now, or held by another copy.
    bool Lock(const std::string& path);

    int fd_ = -1;          // the lock file
    void* mutex_ = nullptr; // the named mutex (Windows)
    State state_ = State::Unavailable;
    std::string path_;
};

// $XDG_RUNTIME_DIR, or a private folder under /tmp when it is unset. On
// Windows, a name unique to the user's session for the command pipe.
std::string RuntimeDirectory();
// Removes a socket a crashed copy left at the path, for this copy, which
// holds the lock, to listen there; false when a file or a folder of that name
// is someone's own (the server would rename its socket over a file). Windows'
// named pipes end with their process: nothing to remove.
bool ClearStaleSocket(const std::string& path);
// That private folder under /tmp, for when the session has no runtime folder
// or it cannot hold the lock; empty when it cannot be had.
std::string FallbackRuntimeDirectory();
