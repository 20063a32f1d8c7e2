// The few questions and reads the program puts to files, through the C runtime.
#pragma once

#include "reminder/store/file_path.h"

#include <string>

namespace davrin::store {

enum class FileKind { Missing, Regular, Other };

// What is at `path`. `error` is errno when the question itself failed (kind is then Missing).
struct FileLookup {
    FileKind kind = FileKind::Missing;
    int error = 0;
};
FileLookup lookUp(const FilePath& path);

// The whole of a small file. `error` is errno when it could not be read.
struct FileRead {
    std::string bytes;
    int error = 0;
};
FileRead readWholeFile(const FilePath& path);

} // namespace davrin::store
