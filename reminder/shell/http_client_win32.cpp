// A synchronous GET through WinHTTP whose phases together stay within the caller's time limit.
#include "http_client_win32.h"

#include "text_win32.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

namespace davrin {

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

} // namespace

std::optional<std::string> WinHttpClient::get(const std::string& url,
                                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::wstring wideUrl = toWide(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts))
        return std::nullopt;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    const Internet session(WinHttpOpen(L"KELVOR", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session)
        return std::nullopt;
    limitTime(session.get(), timeout);
    const Internet connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection)
        return std::nullopt;
    const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    const Internet request(WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              secure));
    if (!request ||
        !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr))
        return std::nullopt;

    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX) ||
        status < 200 || status > 299)
        return std::nullopt;

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
        WinHttpSetOption(request.get(), WINHTTP_OPTION_RECEIVE_TIMEOUT, &receiveLimit,
                         sizeof receiveLimit);
        char buffer[4096];
        DWORD read = 0;
        if (!WinHttpReadData(request.get(), buffer, sizeof buffer, &read))
            return std::nullopt;
        if (read == 0)
            break;
        body.append(buffer, read);
        if (body.size() > kMaxBody)
            return std::nullopt;
    }
    return body;
}

} // namespace davrin
