#pragma once
// Whole files read and written only when they are regular files. A pipe, a
// device or a socket is never read (it could block for ever or never end) and
// never replaced on saving (a link to /dev/null stays a link to /dev/null).
#include <cstddef>
#include <string>
#include <string_view>

#include "core/text/Progress.h"

enum class FileFault {
    None,
    NotRegularFile, // a pipe, a device, a socket
    System,         // the system's error in systemError (EFBIG: beyond the size limit)
    Cancelled,      // the Progress asked to stop
};

struct FileResult {
    FileFault fault = FileFault::None;
    int systemError = 0;
    bool ok() const { return fault == FileFault::None; }
};

// The system's own words for the error, or "Not a regular file".
std::string FileFaultText(const FileResult& result);

// Reads the whole file, following symbolic links, without ever waiting for a
// writer. A file longer than maxBytes, even one that grows while it is read,
// gives EFBIG and no bytes. The progress, if given, hears of each few
// megabytes read and may cancel (no bytes then).
FileResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                           const Progress& progress = {});

// Replaces the file with the bytes through a temporary file in the same
// folder, flushed to disk and renamed over it, so a failed save leaves the old
// file whole. A new file gets the usual permissions, an old one keeps its own.
// A symbolic link is written through: the regular file it leads to is
// replaced and the link stays. A target that exists and is not a regular file
// is left alone (NotRegularFile; a folder gives EISDIR).
FileResult WriteRegularFile(const std::string& path, std::string_view bytes);

// The same save piece by piece, for files too large to build in memory: the
// pieces go into the temporary file, and only Commit() puts it in the
// target's place. Destroyed without a successful Commit() (cancelled, or a
// write failed), it removes the temporary file and the old file stays whole.
class RegularFileWriter {
public:
    explicit RegularFileWriter(const std::string& path);
    ~RegularFileWriter();
    RegularFileWriter(const RegularFileWriter&) = delete;
    RegularFileWriter& operator=(const RegularFileWriter&) = delete;

    // The first failure so far (opening included); later writes do nothing.
    const FileResult& Result() const { return result_; }
    void Write(std::string_view bytes);
    FileResult Commit();

private:
    FileResult result_;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
};
