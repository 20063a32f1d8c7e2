// KELVOR's entry point: one copy per user, the main window with its tray control, the message loop.
#include "due_scan.h"
#include "http_client_win32.h"
#include "main_form.h"
#include "main_window_win32.h"
#include "message_box_win32.h"
#include "new_rem_screen_win32.h"
#include "news_line.h"
#include "reminder/sms/ansi_text_win32.h"
#include "reminder/sms/xml_http_requester_win32.h"
#include "reminder_query_win32.h"
#include "reminder_settings_win32.h"
#include "reminder_statements.h"
#include "single_instance_win32.h"
#include "tray_host_win32.h"

#include <commctrl.h>
#include <ole2.h>
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

using namespace davrin;

// The folder KELVOR.exe lives in: its database is kept beside it.
std::filesystem::path programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
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

    MainWindow window(instance);
    Win32MessageBoxes boxes(window.handle());
    SystemClock clock;
    WinHttpClient Inet1;
    Win32AlertWindow alert(instance, window.handle(), clock);
    // The list window outlives nothing it asks for: Main is created right after it.
    Main* mainForm = nullptr;
    ReminderQueryWindow list(
        instance,
        {gConn, clock,
         [&mainForm] { return mainForm ? mainForm->lblmobileno().text() : std::string{}; },
         [&Inet1]() -> std::string {
             try {
                 const auto settings = readSettings(gConn);
                 return settings ? fetchNewsLine(Inet1, settings->newsserver) : std::string{};
             } catch (const std::exception&) {
                 return {}; // the news line is never worth an error
             }
         },
         [instance, &mainForm](HWND owner) {
             if (mainForm)
                 showReminderSettings(instance, owner, gConn, mainForm->lblmobileno());
         }});
    std::unique_ptr<TrayControlHost> ctlSysTray1;
    try {
        ctlSysTray1 = std::make_unique<TrayControlHost>(
            window.handle(), [&window](std::int32_t id) { window.trayEvent(id); });
    } catch (const std::exception& e) {
        boxes.show(e.what(), kReminderTitle, MessageIcon::Error);
        return 1;
    }

    sms::XmlHttpRequester gateway;
    Main form({window, *ctlSysTray1, list, alert, Inet1, boxes, clock, programFolder(), gateway,
               sms::ansiToUtf8});
    mainForm = &form;
    if (!form.Form_Load())
        return 1;
    window.run(form, tickInterval());

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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SingleInstance single;
    if (!single.isFirst()) {
        SingleInstance::askRunningCopyToOpenList(kMainWindowClass);
        return 0;
    }
    try {
        return runProgram(instance);
    } catch (const std::exception& e) {
        showMessageBox(nullptr, e.what(), kReminderTitle, MessageIcon::Error);
        return 1;
    }
}
