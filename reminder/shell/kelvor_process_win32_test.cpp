// Test support for the tests that run the real KELVOR.exe under Wine.
#include "reminder/shell/kelvor_process_win32_test.h"

#include "common/win32/handles.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace davrin::test {

namespace {

struct WindowQuery {
    DWORD process;
    const wchar_t* className;
    const wchar_t* caption;
    bool visibleOnly;
    int controlId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto& q = *reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (q.process && owner != q.process)
        return TRUE;
    if (q.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    wchar_t name[128] = L"";
    GetClassNameW(window, name, 128);
    if (wcscmp(name, q.className) != 0)
        return TRUE;
    if (q.caption && textOf(window) != q.caption)
        return TRUE;
    if (q.controlId && !GetDlgItem(window, q.controlId))
        return TRUE;
    q.found = window;
    return FALSE;
}

BOOL CALLBACK collectTrayIcon(HWND window, LPARAM param) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (wcscmp(name, L"__winex11_tray_icon") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

} // namespace

std::filesystem::path thisProgramsFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

DWORD runToEnd(std::wstring commandLine, std::chrono::milliseconds timeout) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("a program to run could not be started");
    const win32::UniqueHandle process(info.hProcess), thread(info.hThread);
    WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

ProgramFolder::ProgramFolder() {
    for (const wchar_t* file : {L"KELVOR.exe", L"Norvane.dll"})
        std::filesystem::copy_file(thisProgramsFolder() / file, path() / file);
}

KelvorProcess::KelvorProcess(const std::filesystem::path& folder) {
    // Ticks of a fraction of a second keep the tests short; the variable exists for them only.
    SetEnvironmentVariableW(L"KELVOR_TEST_TICK_MS", L"300");
    std::wstring command = L"\"" + (folder / L"KELVOR.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_))
        throw std::runtime_error("KELVOR.exe could not be started");
}

KelvorProcess::~KelvorProcess() {
    if (waitForExit(0ms) == STILL_ACTIVE) {
        if (HWND main = hiddenWindowOf(id(), L"DavrinKelvorMain"))
            PostMessageW(main, WM_CLOSE, 0, 0);
        if (waitForExit(5s) == STILL_ACTIVE)
            TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD KelvorProcess::waitForExit(std::chrono::milliseconds timeout) {
    WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(50);
    }
    return true;
}

HWND waitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil([&] { return (found = find()) != nullptr; }, timeout);
    return found;
}

HWND topWindowOf(DWORD process, const wchar_t* className, const wchar_t* caption) {
    WindowQuery q{process, className, caption, true};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND dialogOf(DWORD process, int controlId) {
    WindowQuery q{process, L"#32770", nullptr, true, controlId};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND hiddenWindowOf(DWORD process, const wchar_t* className) {
    WindowQuery q{process, className, nullptr, false};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

bool waitUntilGone(HWND window, std::chrono::milliseconds timeout) {
    return waitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::wstring textOf(HWND window) {
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return text;
}

std::wstring messageOf(HWND box) {
    return textOf(GetDlgItem(box, 0xFFFF)); // the id every message box gives its text
}

std::vector<COLORREF> screenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const win32::WindowDc screen(nullptr);
    const win32::UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
    const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        const win32::SelectedObject selected(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> bits(static_cast<std::size_t>(width * height));
    GetDIBits(copy.get(), bitmap.get(), 0, static_cast<UINT>(height), bits.data(), &info,
              DIB_RGB_COLORS);
    std::vector<COLORREF> pixels;
    for (const RGBQUAD& p : bits)
        pixels.push_back(RGB(p.rgbRed, p.rgbGreen, p.rgbBlue));
    return pixels;
}

HWND trayIconWindow() {
    std::vector<HWND> icons;
    if (HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr))
        EnumChildWindows(tray, collectTrayIcon, reinterpret_cast<LPARAM>(&icons));
    return icons.size() == 1 ? icons.front() : nullptr;
}

struct LoopbackServer::State {
    SOCKET listener = INVALID_SOCKET;
    std::optional<std::string> body;
    std::chrono::milliseconds pause{};
    std::atomic<bool> stop{false};
    std::thread thread;
    int port = 0;
    mutable std::mutex mutex;
    std::vector<std::string> requests;
    std::vector<SOCKET> held;

    void answer(SOCKET client) const {
        const std::string response =
            "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
            std::to_string(body->size()) + "\r\nConnection: close\r\n\r\n" + *body;
        // With a pause, the head goes at once and the body one character at a time.
        const std::size_t head = response.size() - body->size();
        send(client, response.data(), static_cast<int>(pause.count() ? head : response.size()), 0);
        for (std::size_t i = head; pause.count() && i < response.size() && !stop; ++i) {
            std::this_thread::sleep_for(pause);
            if (send(client, &response[i], 1, 0) != 1)
                break; // the client gave up
        }
        shutdown(client, SD_SEND);
        closesocket(client);
    }

    void serve() {
        for (SOCKET client;
             !stop && (client = accept(listener, nullptr, nullptr)) != INVALID_SOCKET;) {
            std::string request;
            char buffer[4096];
            for (int got; request.find("\r\n\r\n") == std::string::npos &&
                          (got = recv(client, buffer, sizeof buffer, 0)) > 0;)
                request.append(buffer, static_cast<std::size_t>(got));
            {
                const std::lock_guard lock(mutex);
                requests.push_back(request.substr(0, request.find(" HTTP/")));
            }
            if (body)
                answer(client);
            else
                held.push_back(client);
        }
    }
};

LoopbackServer::LoopbackServer(std::optional<std::string> body, std::chrono::milliseconds pause)
    : state_(std::make_unique<State>()) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    state_->body = std::move(body);
    state_->pause = pause;
    state_->listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(state_->listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(state_->listener, reinterpret_cast<sockaddr*>(&address), &length);
    state_->port = ntohs(address.sin_port);
    listen(state_->listener, 8);
    state_->thread = std::thread([s = state_.get()] { s->serve(); });
}

LoopbackServer::~LoopbackServer() {
    state_->stop = true;
    closesocket(state_->listener);
    state_->thread.join();
    for (SOCKET held : state_->held)
        closesocket(held);
    WSACleanup();
}

std::string LoopbackServer::address() const {
    return "127.0.0.1:" + std::to_string(state_->port);
}

std::vector<std::string> LoopbackServer::requests() const {
    const std::lock_guard lock(state_->mutex);
    return state_->requests;
}

} // namespace davrin::test
