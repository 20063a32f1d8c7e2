// HttpRequester through the platform's request object, "Microsoft.XMLHTTP".
#pragma once

#include "common/win32/handles.h"
#include "reminder/sms/http_requester.h"

#include <windows.h>

#include <msxml2.h>

#include <chrono>
#include <deque>

namespace davrin::sms {

class XmlHttpRequester final : public HttpRequester {
public:
    explicit XmlHttpRequester(std::chrono::milliseconds deadline = kRequestDeadline)
        : deadline_(deadline) {}
    // Asynchronous, waited for while the thread's messages are served; aborted at the deadline.
    HttpReply post(const std::string& target) override;

private:
    std::chrono::milliseconds deadline_;
    // Requests given up at the deadline stay alive a while: Wine's request object calls back into
    // itself when the connection of an aborted request closes later, and crashes if it is gone.
    std::deque<win32::ComPtr<IXMLHTTPRequest>> abandoned_;
};

} // namespace davrin::sms
