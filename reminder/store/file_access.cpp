// Looking up and reading files by their native path through the C runtime (the wide calls on
// Windows, where paths are UTF-16).
#include "reminder/store/file_access.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace davrin::store {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

#ifdef _WIN32
using Status = struct _stat64;
int statusOf(const FilePath& path, Status& status) {
    return _wstat64(path.c_str(), &status);
}
std::FILE* openForReading(const FilePath& path) {
    return _wfopen(path.c_str(), L"rb");
}
#else
using Status = struct stat;
int statusOf(const FilePath& path, Status& status) {
    return ::stat(path.c_str(), &status);
}
std::FILE* openForReading(const FilePath& path) {
    return std::fopen(path.c_str(), "rb");
}
#endif

} // namespace

FileLookup lookUp(const FilePath& path) {
    Status status{};
    if (statusOf(path, status) != 0) {
        // A missing folder on the way, or a file where a folder should be, is a missing file.
        return {FileKind::Missing, errno == ENOENT || errno == ENOTDIR ? 0 : errno};
    }
    return {(status.st_mode & S_IFMT) == S_IFREG ? FileKind::Regular : FileKind::Other, 0};
}

FileRead readWholeFile(const FilePath& path) {
    errno = 0;
    const std::unique_ptr<std::FILE, CloseFile> file(openForReading(path));
    if (!file)
        return {{}, errno ? errno : EIO};
    FileRead read;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get()))
        read.bytes.append(buffer, n);
    if (std::ferror(file.get()))
        read.error = errno ? errno : EIO;
    return read;
}

} // namespace davrin::store
