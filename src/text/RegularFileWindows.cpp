// Windows: paths are UTF-8, handed to the wide-character calls. A regular
// file is a disk file that is not a folder; consoles, pipes and devices such
// as NUL are refused. Errors are given as the errno values the POSIX version
// gives, so that callers and their texts stay the same.
#include "text/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <system_error>
#include <windows.h>

namespace {

FileResult SystemFault(int error) { return {FileFault::System, error}; }

int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

FileResult LastFault() { return SystemFault(ErrnoOf(::GetLastError())); }

bool Widen(const std::string& utf8, std::wstring& wide)
{
    wide.clear();
    if (utf8.empty())
        return true;
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(std::size_t(length));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide.find(L'\0') == std::wstring::npos;
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (valid())
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now, for callers that must know whether the last writes reached the file.
    bool close()
    {
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What an open handle allows: a disk file that is not a folder.
FileResult RegularOnly(HANDLE handle)
{
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        return {FileFault::NotRegularFile, 0};
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return LastFault();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return SystemFault(EISDIR);
    return {};
}

// A folder is told apart before opening: opening one as a file fails with
// "access denied", which would hide what it is.
bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring TemporaryName(const std::wstring& target)
{
    static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters / sizeof kLetters[0] - 2);
    std::wstring name = target + L'.';
    for (int i = 0; i < 6; ++i)
        name += kLetters[pick(random)];
    return name;
}

FileResult WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return LastFault();
        bytes.remove_prefix(written);
    }
    return {};
}

// The file a save replaces: a symbolic link or junction is followed to the
// file it leads to, which must exist.
FileResult FinalTarget(const std::wstring& path, std::wstring& target)
{
    target = path;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return {};
    const Handle link(::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!link.valid())
        return LastFault();
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(link.get(), final.data(), DWORD(final.size()), FILE_NAME_NORMALIZED);
        if (length == 0)
            return LastFault();
        if (length < final.size()) {
            final.resize(length);
            break;
        }
        final.resize(length + 1);
    }
    target = final;
    return {};
}

} // namespace

std::string FileFaultText(const FileResult& result)
{
    switch (result.fault) {
    case FileFault::None:
        return {};
    case FileFault::NotRegularFile:
        return "Not a regular file";
    case FileFault::System:
        break;
    }
    return std::system_category().message(result.systemError);
}

FileResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    std::wstring wide;
    if (!Widen(path, wide))
        return SystemFault(EINVAL);
    if (IsFolder(wide))
        return SystemFault(EISDIR);
    const Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return LastFault();
    // Judged on what was opened, before anything is read from it.
    if (const FileResult kind = RegularOnly(file.get()); !kind.ok())
        return kind;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return LastFault();

    // Room for the whole file and one byte more, so that the end is seen
    // without growing the buffer when the file keeps its size.
    const std::size_t limit = maxBytes + 1;
    bytes.resize(std::min<std::size_t>(size.QuadPart > 0 ? std::size_t(size.QuadPart) : 0, maxBytes) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used == limit)
                break;
            bytes.resize(std::min(limit, std::max(used * 2, used + (std::size_t(1) << 16))));
        }
        const DWORD want = DWORD(std::min<std::size_t>(bytes.size() - used, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + used, want, &got, nullptr)) {
            const FileResult fault = LastFault();
            bytes.clear();
            return fault;
        }
        if (got == 0)
            break;
        used += got;
    }
    if (used > maxBytes) {
        bytes.clear();
        bytes.shrink_to_fit();
        return SystemFault(EFBIG);
    }
    bytes.resize(used);
    return {};
}

FileResult WriteRegularFile(const std::string& path, std::string_view bytes)
{
    std::wstring wide, target;
    if (!Widen(path, wide))
        return SystemFault(EINVAL);
    if (const FileResult found = FinalTarget(wide, target); !found.ok())
        return found;
    if (IsFolder(target))
        return SystemFault(EISDIR);
    DWORD keptAttributes = 0;
    {
        const Handle old(::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (old.valid()) {
            if (const FileResult kind = RegularOnly(old.get()); !kind.ok())
                return kind;
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(old.get(), &info))
                keptAttributes = info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            return SystemFault(ErrnoOf(error));
        }
    }

    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryName(target);
        created = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | keptAttributes, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return LastFault();
    }
    if (created == INVALID_HANDLE_VALUE)
        return SystemFault(EEXIST);
    Handle file(created);

    FileResult result = WriteAll(file.get(), bytes);
    if (result.ok() && !::FlushFileBuffers(file.get()))
        result = LastFault();
    if (!file.close() && result.ok())
        result = LastFault();
    if (result.ok() && !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = LastFault();
    if (!result.ok())
        ::DeleteFileW(temporary.c_str());
    return result;
}
