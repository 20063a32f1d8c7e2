// HttpRequester through the platform's request object, "Microsoft.XMLHTTP".
#pragma once

#include "reminder/sms/http_requester.h"

#include <chrono>

namespace davrin::sms {

class XmlHttpRequester final : public HttpRequester {
public:
    explicit XmlHttpRequester(std::chrono::milliseconds deadline = kRequestDeadline)
        : deadline_(deadline) {}
    // Asynchronous, waited for while the thread's messages are served; aborted at the deadline.
    HttpReply post(const std::string& target) override;

private:
    std::chrono::milliseconds deadline_;
};

} // namespace davrin::sms
