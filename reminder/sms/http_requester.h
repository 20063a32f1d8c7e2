// Posting a request to the SMS gateway, injected so dispatch can be tested without a network.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace davrin::sms {

// No request may hold the program longer than this; a gateway that has not answered by then
// counts as unreachable.
inline constexpr std::chrono::seconds kRequestDeadline{15};

struct HttpReply {
    std::optional<std::string> text; // the reply body, when the gateway answered
    std::string failure;             // otherwise why not, for the user
};

class HttpRequester {
public:
    virtual ~HttpRequester() = default;
    // A POST with no body to `target`; the window system is served while it waits.
    virtual HttpReply post(const std::string& target) = 0;
};

} // namespace davrin::sms
