// Joining and splitting paths by their separators; on Windows the UTF-8 conversions live apart.
#include "reminder/store/file_path.h"

namespace davrin::store {

namespace {

#ifdef _WIN32
constexpr const wchar_t* kSeparators = L"\\/";
constexpr wchar_t kSeparator = L'\\';
#else
constexpr const char* kSeparators = "/";
constexpr char kSeparator = '/';
#endif

bool isSeparator(FilePath::Char c) {
    return FilePath::String(kSeparators).find(c) != FilePath::String::npos;
}

} // namespace

FilePath FilePath::operator/(std::string_view name) const {
    String joined = native_;
    if (!joined.empty() && !isSeparator(joined.back()))
        joined += kSeparator;
    joined += toNative(name);
    return FilePath(std::move(joined));
}

FilePath FilePath::parent() const {
    const auto end = native_.find_last_of(kSeparators);
    if (end == String::npos)
        return {};
    FilePath top = root();
    if (end < top.native_.size())
        return top;
    return FilePath(native_.substr(0, end));
}

FilePath FilePath::root() const {
#ifdef _WIN32
    const String& p = native_;
    if (p.size() >= 2 && p[1] == L':' &&
        ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')))
        return FilePath(p.substr(0, 2) + kSeparator);
    if (p.size() > 2 && isSeparator(p[0]) && isSeparator(p[1])) {
        // \\server\share\: the first folder there is
        const auto share = p.find_first_of(kSeparators, 2);
        if (share == String::npos)
            return FilePath(p + kSeparator);
        const auto end = p.find_first_of(kSeparators, share + 1);
        return FilePath((end == String::npos ? p : p.substr(0, end)) + kSeparator);
    }
#endif
    if (!native_.empty() && isSeparator(native_[0]))
        return FilePath(String(1, kSeparator));
    return {};
}

#ifndef _WIN32
// Elsewhere a path is bytes, and the program writes them as UTF-8.
FilePath::String FilePath::toNative(std::string_view utf8) {
    return String(utf8);
}

std::string FilePath::utf8() const {
    return native_;
}
#endif

} // namespace davrin::store
