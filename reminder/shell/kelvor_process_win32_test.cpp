// Test support for the tests that run the real KELVOR.exe under Wine.
#include "reminder/shell/kelvor_process_win32_test.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace davrin::test {

namespace {

std::filesystem::path thisProgramsFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

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

HWND standaloneTray() {
    return FindWindowW(L"__winex11_standalone_tray", nullptr);
}

BOOL CALLBACK collectTrayIcon(HWND window, LPARAM param) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (wcscmp(name, L"__winex11_tray_icon") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> trayIcons() {
    std::vector<HWND> icons;
    if (HWND tray = standaloneTray())
        EnumChildWindows(tray, collectTrayIcon, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

} // namespace

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

std::vector<COLORREF> screenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(copy, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> bits(static_cast<std::size_t>(width * height));
    GetDIBits(copy, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels;
    for (const RGBQUAD& p : bits)
        pixels.push_back(RGB(p.rgbRed, p.rgbGreen, p.rgbBlue));
    return pixels;
}

int trayIconCount() {
    return static_cast<int>(trayIcons().size());
}

HWND trayIconWindow() {
    const auto icons = trayIcons();
    return icons.size() == 1 ? icons.front() : nullptr;
}

namespace {

struct Tooltips {
    DWORD shell = 0;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectTooltips(HWND window, LPARAM param) {
    auto& q = *reinterpret_cast<Tooltips*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (owner == q.shell && lstrcmpiW(name, TOOLTIPS_CLASSW) == 0)
        q.windows.push_back(window);
    return TRUE;
}

} // namespace

// The tooltips live in the shell's process, so their texts are read through memory lent there.
// The shell may keep a tooltip per icon and may re-create an icon's window, so every tool of every
// tooltip is read; with the program's icon the only one on the tray, its tip is among them.
std::vector<std::wstring> trayTips() {
    std::vector<std::wstring> tips;
    HWND icon = trayIconWindow();
    if (!icon)
        return tips;
    Tooltips found;
    GetWindowThreadProcessId(icon, &found.shell);
    EnumWindows(collectTooltips, reinterpret_cast<LPARAM>(&found));
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, found.shell);
    if (!process)
        return tips;
    constexpr std::size_t kTextChars = 128;
    const SIZE_T size = sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof info);
    for (HWND tooltip : found.windows) {
        const int tools = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < tools; ++i) {
            WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
            if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                              reinterpret_cast<LPARAM>(remote)))
                continue;
            TTTOOLINFOW tool{};
            ReadProcessMemory(process, remote, &tool, sizeof tool, nullptr);
            tool.lpszText = info.lpszText;
            WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
            SendMessageW(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote));
            wchar_t text[kTextChars] = L"";
            ReadProcessMemory(process, remote + sizeof info, text, sizeof text - sizeof(wchar_t),
                              nullptr);
            tips.emplace_back(text);
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return tips;
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
        const std::string head = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                                 std::to_string(body->size()) + "\r\nConnection: close\r\n\r\n";
        if (pause == std::chrono::milliseconds::zero()) {
            const std::string response = head + *body;
            send(client, response.data(), static_cast<int>(response.size()), 0);
        } else {
            send(client, head.data(), static_cast<int>(head.size()), 0);
            for (std::size_t i = 0; i < body->size() && !stop; ++i) {
                std::this_thread::sleep_for(pause);
                if (send(client, &(*body)[i], 1, 0) != 1)
                    break; // the client gave up
            }
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
