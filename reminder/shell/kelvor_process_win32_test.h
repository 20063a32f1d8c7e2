// Driving a real KELVOR.exe from a test: its own folder and database, its windows, its tray icon.
#pragma once

#include "reminder/store/store_test_support.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace davrin::test {

using namespace std::chrono_literals;

// A folder of its own holding copies of KELVOR.exe and Norvane.dll; removed afterwards.
class ProgramFolder : public TempFolder {
public:
    ProgramFolder();
    std::filesystem::path database() const { return path() / "KELVOR.db"; }
};

// One started KELVOR.exe. Ends it (politely, then by force) if the test has not.
class KelvorProcess {
public:
    explicit KelvorProcess(const std::filesystem::path& folder);
    ~KelvorProcess();
    KelvorProcess(const KelvorProcess&) = delete;
    KelvorProcess& operator=(const KelvorProcess&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    // The exit code once it has ended within `timeout`, or STILL_ACTIVE.
    DWORD waitForExit(std::chrono::milliseconds timeout);

private:
    PROCESS_INFORMATION info_{};
};

// The folder of this test program, where the programs it starts are built.
std::filesystem::path thisProgramsFolder();
// Runs a command line to its end: its exit code, or STILL_ACTIVE when not done within `timeout`.
DWORD runToEnd(std::wstring commandLine, std::chrono::milliseconds timeout);

// Polls until `done` holds or the time is up; whether it held.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);
// Polls until `find` yields a window or the time is up.
HWND waitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout = 15s);
// A visible top-level window of the process with this class (and caption, when given).
HWND topWindowOf(DWORD process, const wchar_t* className, const wchar_t* caption = nullptr);
// A visible dialog of the process holding a control with this id.
HWND dialogOf(DWORD process, int controlId);
// Any top-level window of the process with this class, visible or not.
HWND hiddenWindowOf(DWORD process, const wchar_t* className);
bool waitUntilGone(HWND window, std::chrono::milliseconds timeout = 10s);
std::wstring textOf(HWND window);
// The message a message box shows.
std::wstring messageOf(HWND box);
// What the screen shows inside `area`, row by row.
std::vector<COLORREF> screenPixels(const RECT& area);

// The tray icon window Wine's shell shows when it shows exactly one.
HWND trayIconWindow();

// Serves one fixed body for any request on 127.0.0.1 until destroyed, and records each request
// line ("POST /path?query"). With a pause, the body goes out one character at a time, that long
// apart; without a body, requests are held unanswered.
class LoopbackServer {
public:
    explicit LoopbackServer(std::optional<std::string> body,
                            std::chrono::milliseconds pause = std::chrono::milliseconds::zero());
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    std::string address() const; // "127.0.0.1:port"
    std::vector<std::string> requests() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace davrin::test
