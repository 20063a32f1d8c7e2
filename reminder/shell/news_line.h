// The news line of the alert: "/reminder.txt" from the server named in the settings row.
#pragma once

#include "reminder/shell/http_client.h"

#include <chrono>
#include <string>

namespace davrin::shell {

// The scan runs on the window thread; a slow server must not freeze the tray for long.
inline constexpr std::chrono::milliseconds kNewsTimeout{3000};

// "host[:port]" (or a full "http://host[:port]") -> the news document's address; empty for an
// empty server.
std::string newsUrl(const std::string& server);

// The trimmed document, or empty when there is no server or the fetch fails in any way.
std::string fetchNewsLine(HttpClient& http, const std::string& server);

} // namespace davrin::shell
