// Fetching the news line; every failure ends in an empty line, never in an error.
#include "reminder/shell/news_line.h"

#include "reminder/ui/text_rules.h"

namespace davrin::shell {

std::string newsUrl(const std::string& server) {
    std::string base = ui::trimmed(server);
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
        return ui::trimmed(http.get(url, kNewsTimeout).value_or(std::string{}));
    } catch (...) {
        // A broken news line must never cost the user an alert.
        return {};
    }
}

} // namespace davrin::shell
