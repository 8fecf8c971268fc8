// What the POSIX and the Windows files share.
#include <system_error>

#include "core/text/RegularFile.h"

std::string FileFaultText(const FileResult& result)
{
    switch (result.fault) {
    case FileFault::None:
        return {};
    case FileFault::NotRegularFile:
        return "Not a regular file";
    case FileFault::Cancelled:
        return "Cancelled";
    case FileFault::System:
        break;
    }
    return std::system_category().message(result.systemError);
}

FileResult WriteRegularFile(const std::string& path, std::string_view bytes)
{
    RegularFileWriter writer(path);
    writer.Write(bytes);
    return writer.Commit();
}
