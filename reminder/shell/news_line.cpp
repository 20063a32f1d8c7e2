// Fetching the news line; every failure ends in an empty line, never in an error.
#include "news_line.h"

namespace davrin {

std::string trimmed(const std::string& text) {
    constexpr const char* blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string newsUrl(const std::string& server) {
    std::string base = trimmed(server);
    if (base.empty())
        return {};
    if (base.find("://") == std::string::npos)
        base.insert(0, "http://");
    while (base.ends_with('/'))
        base.pop_back();
    return base + "/reminder.txt";
}

std::string fetchNewsLine(HttpClient& http, const std::string& server) {
    const std::string url = newsUrl(server);
    if (url.empty())
        return {};
    try {
        return trimmed(http.get(url, kNewsTimeout).value_or(std::string{}));
    } catch (...) {
        // A broken news line must never cost the user an alert.
        return {};
    }
}

} // namespace davrin
