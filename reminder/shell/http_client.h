// Fetching a text document over HTTP, injected so the news line can be tested on loopback or faked.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace davrin::shell {

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // The body of a successful (2xx) GET, or nothing on any failure, including the timeout.
    virtual std::optional<std::string> get(const std::string& url,
                                           std::chrono::milliseconds timeout) = 0;
};

} // namespace davrin::shell
