// HttpClient over WinHTTP, the platform's own HTTP client.
#pragma once

#include "reminder/shell/http_client.h"

namespace davrin::shell {

class WinHttpClient final : public HttpClient {
public:
    std::optional<std::string> get(const std::string& url,
                                   std::chrono::milliseconds timeout) override;
};

} // namespace davrin::shell
