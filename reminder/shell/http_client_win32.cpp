// A synchronous GET through WinHTTP whose phases together stay within the caller's time limit.
#include "reminder/shell/http_client_win32.h"

#include "reminder/ui/text_win32.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

namespace davrin::shell {

namespace {

struct InternetCloser {
    void operator()(HINTERNET h) const noexcept { WinHttpCloseHandle(h); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

// WinHTTP times each phase on its own; the caller's limit is split across the four of them.
void limitTime(HINTERNET session, std::chrono::milliseconds total) {
    const int each = static_cast<int>(total.count() / 4);
    WinHttpSetTimeouts(session, each, each, each, each);
}

struct Address {
    std::wstring host;
    std::wstring path; // with the query
    INTERNET_PORT port = 0;
    bool secure = false;
};

std::optional<Address> crackUrl(const std::string& url) {
    const std::wstring wideUrl = ui::toWide(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts))
        return std::nullopt;
    Address address{std::wstring(parts.lpszHostName, parts.dwHostNameLength),
                    std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength), parts.nPort,
                    parts.nScheme == INTERNET_SCHEME_HTTPS};
    address.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    return address;
}

// True when the server answered with a 2xx status.
bool succeeded(HINTERNET request) {
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                            0, 0) ||
        !WinHttpReceiveResponse(request, nullptr))
        return false;
    DWORD status = 0;
    DWORD size = sizeof status;
    return WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                               WINHTTP_NO_HEADER_INDEX) &&
           status >= 200 && status <= 299;
}

std::optional<std::string> readBody(HINTERNET request,
                                    std::chrono::steady_clock::time_point deadline) {
    // A news line is one short text; anything huge is not what the server is meant to send.
    constexpr std::size_t kMaxBody = 64 * 1024;
    std::string body;
    for (;;) {
        // WinHTTP's limits are per read, so a server that trickles its answer would hold the
        // program far longer than the caller allowed; the whole body shares what is left.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= std::chrono::milliseconds::zero())
            return std::nullopt;
        DWORD receiveLimit = static_cast<DWORD>(left.count());
        WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, &receiveLimit,
                         sizeof receiveLimit);
        char buffer[4096];
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer, sizeof buffer, &read))
            return std::nullopt;
        if (read == 0)
            return body;
        body.append(buffer, read);
        if (body.size() > kMaxBody)
            return std::nullopt;
    }
}

} // namespace

std::optional<std::string> WinHttpClient::get(const std::string& url,
                                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const std::optional<Address> address = crackUrl(url);
    if (!address)
        return std::nullopt;
    const Internet session(WinHttpOpen(L"KELVOR", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        return std::nullopt;
    limitTime(session.get(), timeout);
    const Internet connection(
        WinHttpConnect(session.get(), address->host.c_str(), address->port, 0));
    if (!connection)
        return std::nullopt;
    const Internet request(WinHttpOpenRequest(
        connection.get(), L"GET", address->path.c_str(), nullptr, WINHTTP_NO_REFERER,
        WINHTTP_DEFAULT_ACCEPT_TYPES, address->secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request || !succeeded(request.get()))
        return std::nullopt;
    return readBody(request.get(), deadline);
}

} // namespace davrin::shell
