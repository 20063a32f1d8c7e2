// One POST through Microsoft.XMLHTTP, opened asynchronously so that no gateway can freeze the
// program: windows, alerts and timers keep running while it waits, up to a deadline.
#include "reminder/sms/xml_http_requester_win32.h"

#include "common/win32/handles.h"
#include "reminder/ui/text_win32.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace davrin::sms {

namespace {

using win32::Bstr;
using win32::ComPtr;

// Missing from MinGW's uuid library.
constexpr IID kIID_IXMLHTTPRequest = {
    0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};

VARIANT boolean(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT empty() {
    VARIANT v;
    VariantInit(&v);
    return v;
}

std::string failure(const char* what, long code) {
    char text[160];
    std::snprintf(text, sizeof text, "%s (error %#lx).", what, static_cast<unsigned long>(code));
    return text;
}

enum class Wait { Done, TimedOut, Quit };

// Enough for several minutes of a gateway that never answers, retried on every tick.
constexpr std::size_t kAbandonedKept = 16;

// Serves the thread's messages until the request is complete or the deadline passes. Timer
// ticks run meanwhile; the ones that could start another request are guarded by their owners.
Wait waitServingMessages(IXMLHTTPRequest& request, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        LONG state = 0;
        if (FAILED(request.get_readyState(&state)) || state == 4)
            return Wait::Done;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return Wait::TimedOut;
        MsgWaitForMultipleObjectsEx(0, nullptr,
                                    static_cast<DWORD>(std::min<long long>(left.count(), 50)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The program's own loop must still see it and end.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return Wait::Quit;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

} // namespace

HttpReply XmlHttpRequester::post(const std::string& target) {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(L"Microsoft.XMLHTTP", &clsid);
    ComPtr<IXMLHTTPRequest> request;
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIID_IXMLHTTPRequest,
                              reinterpret_cast<void**>(request.GetAddressOf()));
    if (FAILED(hr))
        return {std::nullopt, failure("The system's HTTP request object (Microsoft.XMLHTTP) "
                                      "could not be created",
                                      hr)};
    const Bstr method(L"POST");
    const Bstr url(ui::toWide(target).c_str());
    hr = request->open(method.get(), url.get(), boolean(true), empty(), empty());
    if (FAILED(hr))
        return {std::nullopt, failure("The request address was not accepted", hr)};
    const auto deadline = std::chrono::steady_clock::now() + deadline_;
    hr = request->send(empty());
    if (FAILED(hr))
        return {std::nullopt, failure("The request could not be sent", hr)};

    const Wait wait = waitServingMessages(*request.Get(), deadline);
    if (wait != Wait::Done) {
        request->abort();
        abandoned_.push_back(request);
        if (abandoned_.size() > kAbandonedKept)
            abandoned_.pop_front();
        if (wait == Wait::Quit)
            return {std::nullopt, "The program is ending."};
        return {std::nullopt, "The gateway did not answer within " +
                                  std::to_string(deadline_.count() / 1000) + " seconds."};
    }
    LONG status = 0;
    request->get_status(&status);
    // A request that never reached a server completes with no HTTP status, or with the
    // platform's own network error number (12000 and up) in its place.
    if (status == 0 || status >= 12000)
        return {std::nullopt, failure("The gateway could not be reached", status)};
    Bstr text;
    request->get_responseText(text.put());
    return {ui::toUtf8(std::wstring_view(text.get() ? text.get() : L"", SysStringLen(text.get()))),
            {}};
}

} // namespace davrin::sms
