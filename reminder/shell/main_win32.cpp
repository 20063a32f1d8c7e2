// KELVOR's entry point: one copy per user, the main window with its tray control, the message loop.
#include "reminder/editing/reminder_query_win32.h"
#include "reminder/shell/http_client_win32.h"
#include "reminder/shell/main_form.h"
#include "reminder/shell/main_window_win32.h"
#include "reminder/shell/new_rem_screen_win32.h"
#include "reminder/shell/news_line.h"
#include "reminder/shell/reminder_settings_win32.h"
#include "reminder/shell/single_instance_win32.h"
#include "reminder/shell/tray_host_win32.h"
#include "reminder/sms/ansi_text_win32.h"
#include "reminder/sms/xml_http_requester_win32.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/ui/message_box_win32.h"

#include <commctrl.h>
#include <ole2.h>
#include <windows.h>

#include <cwchar>
#include <memory>
#include <stdexcept>

namespace davrin::shell {
namespace {

// The folder KELVOR.exe lives in: its database is kept beside it.
store::FilePath programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return store::FilePath(std::move(path)).parent();
}

// Ten seconds; KELVOR_TEST_TICK_MS shortens it for the automated tests, and only for them.
std::chrono::milliseconds tickInterval() {
    if (const wchar_t* text = _wgetenv(L"KELVOR_TEST_TICK_MS")) {
        const long ms = std::wcstol(text, nullptr, 10);
        if (ms >= 100 && ms <= 10000)
            return std::chrono::milliseconds(ms);
    }
    return std::chrono::milliseconds(10000);
}

class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_)
            OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool ok_;
};

int runProgram(HINSTANCE instance) {
    OleSession ole;
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // Everything Main is made of comes first, then Main, then what calls back into it.
    MainWindow window(instance);
    ui::OwnedMessageBoxes boxes(window.handle());
    store::SystemClock clock;
    WinHttpClient Inet1;
    NewRemScreenWindow alert(window.handle(), clock);
    MobileNumberLabel lblmobileno;
    editing::ReminderQueryWindow list(
        instance,
        {store::gConn, clock, [&lblmobileno] { return lblmobileno.text(); },
         [&Inet1]() -> std::string {
             try {
                 const auto settings = store::readSettings(store::gConn);
                 return settings ? fetchNewsLine(Inet1, settings->newsserver) : std::string{};
             } catch (const std::exception&) {
                 return {}; // the news line is never worth an error
             }
         },
         [&lblmobileno](HWND owner) { showReminderSettings(owner, store::gConn, lblmobileno); }});
    TrayControlHost ctlSysTray1(window.handle());

    sms::XmlHttpRequester gateway;
    Main form({window, ctlSysTray1, list, alert, Inet1, boxes, clock, programFolder(), lblmobileno,
               gateway, sms::ansiToUtf8});
    if (!form.Form_Load())
        return 1;
    // Until the program has loaded, a click or a second start has nothing to open.
    window.route(form);
    ctlSysTray1.connect([&form](std::int32_t eventId) { onTrayEvent(form, eventId); });
    window.startTimers(tickInterval());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (list.preTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

} // namespace
} // namespace davrin::shell

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace davrin;
    shell::SingleInstance single;
    if (!single.isFirst()) {
        shell::SingleInstance::askRunningCopyToOpenList(shell::kMainWindowClass);
        return 0;
    }
    try {
        return shell::runProgram(instance);
    } catch (const std::exception& e) {
        ui::showMessageBox(nullptr, e.what(), ui::MessageIcon::Error);
        return 1;
    }
}
