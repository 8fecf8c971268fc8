// One copy of the program per Windows session: a named mutex in the session's
// namespace ("Local\"), held for the whole run. Windows drops it with the
// process, so a crashed copy never blocks the next start.
#include "core/platform/SingleInstance.h"

#include <string>

#include <windows.h>

namespace {

std::wstring Wide(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

} // namespace

// Named pipes have a namespace of their own, shared by the whole machine: the
// command channel's name is made unique by session and user.
std::string RuntimeDirectory()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    wchar_t user[257] = {};
    DWORD length = DWORD(std::size(user));
    if (!GetUserNameW(user, &length))
        user[0] = L'\0';
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, user, -1, nullptr, 0, nullptr, nullptr);
    std::string name(std::size_t(bytes > 0 ? bytes - 1 : 0), '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, user, -1, name.data(), bytes, nullptr, nullptr);
    return "huebird-lite-" + std::to_string(session) + "-" + name;
}

// Commands come over a named pipe, not a socket file.
std::string FallbackRuntimeDirectory()
{
    return {};
}

bool ClearStaleSocket(const std::string&)
{
    return true;
}

// lockDirectory: not used; the mutex's name is the lock.
SingleInstance::SingleInstance(const std::string& name, const std::string&)
{
    path_ = "Local\\" + name;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, Wide(path_).c_str());
    if (!mutex)
        return;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        state_ = State::AlreadyRunning;
        return;
    }
    mutex_ = mutex;
    state_ = State::Acquired;
}

SingleInstance::~SingleInstance()
{
    if (mutex_)
        CloseHandle(static_cast<HANDLE>(mutex_));
}
