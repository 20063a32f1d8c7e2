// A file's path in the platform's own form, without std::filesystem (which costs the program
// most of a megabyte of locale code when linked statically).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace davrin::store {

class FilePath {
public:
#ifdef _WIN32
    using String = std::wstring; // UTF-16, as the wide CRT and Win32 functions take it
#else
    using String = std::string; // the bytes the system calls take
#endif
    using Char = String::value_type;

    FilePath() = default;
    explicit FilePath(String native) : native_(std::move(native)) {}
    FilePath(const Char* native) : native_(native) {}
    // For tests and tools; the program itself never calls it, so it links no std::filesystem.
    FilePath(const std::filesystem::path& path) : native_(path.native()) {}

    static FilePath fromUtf8(std::string_view utf8) {
        return FilePath(toNative(utf8));
    }

    // `name` (UTF-8) inside this folder.
    FilePath operator/(std::string_view name) const;
    // The folder holding this file; a root stays itself.
    FilePath parent() const;
    // The drive's or share's root ("C:\", "\\server\share\", "/"); empty for a relative path.
    FilePath root() const;

    std::string utf8() const;
    const String& native() const {
        return native_;
    }
    const Char* c_str() const {
        return native_.c_str();
    }
    bool empty() const {
        return native_.empty();
    }

    friend bool operator==(const FilePath&, const FilePath&) = default;

private:
    static String toNative(std::string_view utf8);

    String native_;
};

} // namespace davrin::store
