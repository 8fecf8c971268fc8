// Windows: paths are UTF-8, handed to the wide-character calls. A regular
// file is a disk file that is not a folder; consoles, pipes and devices such
// as NUL are refused. Errors are given as the errno values the POSIX version
// gives, so that callers and their texts stay the same.
#include "core/text/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
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

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
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

FileResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                           const Progress& progress)
{
    // Small enough pieces for the progress to move several times a second.
    constexpr std::size_t kPieceBytes = std::size_t(8) << 20;
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
        const DWORD want = DWORD(std::min(bytes.size() - used, kPieceBytes));
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + used, want, &got, nullptr)) {
            const FileResult fault = LastFault();
            bytes.clear();
            return fault;
        }
        if (got == 0)
            break;
        used += got;
        const std::size_t total = size.QuadPart > 0 ? std::size_t(size.QuadPart) : 0;
        if (progress && !progress(ProgressStep(used, std::max(used, total)))) {
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

// The temporary file is held as a C runtime descriptor over its handle.
RegularFileWriter::RegularFileWriter(const std::string& path)
{
    std::wstring wide, target;
    if (!Widen(path, wide)) {
        result_ = SystemFault(EINVAL);
        return;
    }
    if (result_ = FinalTarget(wide, target); !result_.ok())
        return;
    if (IsFolder(target)) {
        result_ = SystemFault(EISDIR);
        return;
    }
    DWORD keptAttributes = 0;
    {
        const Handle old(::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (old.valid()) {
            if (result_ = RegularOnly(old.get()); !result_.ok())
                return;
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(old.get(), &info))
                keptAttributes = info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            result_ = SystemFault(ErrnoOf(error));
            return;
        }
    }

    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryName(target);
        created = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | keptAttributes, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
            result_ = LastFault();
            return;
        }
    }
    if (created == INVALID_HANDLE_VALUE) {
        result_ = SystemFault(EEXIST);
        return;
    }
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(created), _O_WRONLY | _O_BINARY);
    if (fd_ < 0) {
        ::CloseHandle(created);
        ::DeleteFileW(temporary.c_str());
        result_ = SystemFault(EMFILE);
        return;
    }
    target_ = Narrow(target);
    temporary_ = Narrow(temporary);
}

RegularFileWriter::~RegularFileWriter()
{
    if (fd_ >= 0) {
        ::_close(fd_);
        std::wstring temporary;
        Widen(temporary_, temporary);
        ::DeleteFileW(temporary.c_str());
    }
}

void RegularFileWriter::Write(std::string_view bytes)
{
    if (result_.ok())
        result_ = WriteAll(reinterpret_cast<HANDLE>(::_get_osfhandle(fd_)), bytes);
}

FileResult RegularFileWriter::Commit()
{
    if (fd_ < 0)
        return result_;
    std::wstring target, temporary;
    Widen(target_, target);
    Widen(temporary_, temporary);
    if (result_.ok() && !::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(fd_))))
        result_ = LastFault();
    if (::_close(fd_) != 0 && result_.ok())
        result_ = SystemFault(EIO);
    fd_ = -1;
    if (result_.ok() && !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result_ = LastFault();
    if (!result_.ok())
        ::DeleteFileW(temporary.c_str());
    return result_;
}
