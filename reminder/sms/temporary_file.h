// A file of a fresh name beside a target, written and then renamed onto it, or removed.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace davrin::sms {

// The name is new and the file is created exclusively, so no other file is ever overwritten or
// renamed away. The file is removed when the object goes without having been moved, and when the
// program is interrupted (SIGINT, SIGTERM and the like) while it exists.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    // Creates the file beside `target` and writes `content` to it. Returns an empty text or the
    // reason; on failure nothing is left.
    std::string write(const std::filesystem::path& target, std::string_view content);
    // Renames the written file onto `target`. Returns an empty text or the reason.
    std::string moveTo(const std::filesystem::path& target);

    const std::filesystem::path& path() const { return path_; }

private:
    void remove();

    std::filesystem::path path_;
};

} // namespace davrin::sms
