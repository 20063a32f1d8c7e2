// Wine test: norvane-design's property frame, with the control activated through the host's
// manifest alone, driven through the pages' own windows, the result read back from the bag file
// it saves; icon files of three sizes through the size check.
#include "traycontrol/control/com/com_support_win32_test.h"
#include "traycontrol/control/icons/ico_writer.h"
#include "traycontrol/design/property_bag_file.h"
#include "traycontrol/pages/icon_animation_view.h"
#include "traycontrol/pages/title_mouse_view.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <thread>
#include <type_traits>

namespace norvane::design {
namespace {

using Tx = pages::SysTrayTextControl;
using Ts = pages::SysTrayTestControl;
// The pages number their controls from 1000 and 2000, in the order of their tables.
template <class Control> int idOf(Control c) {
    return (std::is_same_v<Control, Tx> ? 1000 : 2000) + static_cast<int>(c);
}

using com::exeFolder;

// Owned windows (dialogs, message boxes) are top-level too, though GetParent names their owner.
bool topLevel(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0;
}

std::wstring text(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        2000, &copied);
    return buffer;
}

// A visible window of one process, top-level or a descendant of one, found by a condition.
struct Search {
    DWORD pid;
    std::function<bool(HWND)> wanted;
    HWND found = nullptr;
};
BOOL CALLBACK visit(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<Search*>(search);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == s.pid && IsWindowVisible(window) && s.wanted(window))
        s.found = window;
    return s.found == nullptr;
}

class Host {
public:
    Host(const std::wstring& commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = commandLine;
        EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   exeFolder().c_str(), &startup, &process_));
        win32::UniqueHandle(process_.hThread).reset();
    }
    ~Host() {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
    }
    // Every wait is bounded: a window that never comes fails the test instead of hanging it.
    HWND waitFor(const std::function<bool(HWND)>& wanted, const char* what) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < end) {
            Search search{process_.dwProcessId, wanted};
            EnumChildWindows(GetDesktopWindow(), visit, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ADD_FAILURE() << "no " << what << " within 30 s";
        return nullptr;
    }
    HWND control(int id) {
        return waitFor([id](HWND w) { return GetDlgCtrlID(w) == id; }, "page control");
    }
    // The text of the library's message box, answered with `button`.
    std::wstring answerBox(int button) {
        HWND box = waitFor([](HWND w) { return topLevel(w) && text(w) == L"Norvane"; }, "box");
        if (!box)
            return L"";
        const std::wstring shown = text(GetDlgItem(box, 0xFFFF)); // a message box's text
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        waitGone(box);
        return shown;
    }
    void waitGone(HWND window) {
        for (int i = 0; i < 600 && IsWindow(window) && IsWindowVisible(window); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // Sets a box's text as typing would.
    void type(HWND box, const std::wstring& value) {
        SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()),
                            SMTO_NORMAL, 30000, nullptr);
    }
    void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
    // Picks `path` in the open-file dialog titled `title`.
    void openFile(const std::wstring& title, const std::wstring& path) {
        HWND dialog = waitFor([&](HWND w) { return topLevel(w) && text(w) == title; }, "dialog");
        if (!dialog)
            return;
        HWND name = GetDlgItem(dialog, cmb13);
        if (!name)
            name = GetDlgItem(dialog, edt1);
        EXPECT_TRUE(name) << "no file name box";
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        waitGone(dialog);
    }
    bool ended() { return WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION process_{};
};

void writeIcon(const std::wstring& path, int side) {
    icons::IconImage image(side);
    for (std::size_t i = 0; i < image.bgra.size(); i += 4)
        image.bgra[i + 2] = image.bgra[i + 3] = 0xFF; // opaque red
    const auto bytes = icons::icoFileBytes(std::span(&image, 1));
    std::ofstream(path.c_str(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Frame counts, cycle keys and which icon sizes are refused or asked about are the pages' rules,
// tested natively. Here the frame shows the pages of a control activated through the host's
// manifest alone, real icon files are measured, the library's message boxes are answered, and what
// the pages set reaches the bag file the host saves.
TEST(DesignHost, PagesSetTheControlWhichSavesWhatItKept) {
    // Nothing is registered: the host finds the control and its pages through its manifest.
    const win32::ComApartment apartment;
    win32::ComPtr<IDispatch> none;
    ASSERT_EQ(CoCreateInstance(com::guid(kClsidCtlSysTray), nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&none)),
              REGDB_E_CLASSNOTREG);
    const std::wstring folder = exeFolder();
    const std::wstring in = folder + L"design_in.bag", out = folder + L"design_out.bag";
    std::vector<std::wstring> files{in, out};
    for (int side : {16, 32, 48}) {
        files.push_back(folder + std::to_wstring(side) + L".ico");
        writeIcon(files.back(), side);
    }
    std::ofstream(in.c_str()) << "TrayTitle=text:Loaded\nswTrayMouse=bool:False\nFrameCount=i2:5\n";
    DeleteFileW(out.c_str());

    Host host(L"\"" + folder + L"norvane-design.exe\" --load \"" + in + L"\" --save \"" + out +
              L"\"");
    HWND title = host.control(idOf(Tx::txtTrayTitle));
    ASSERT_TRUE(title);
    EXPECT_EQ(text(title), L"Loaded");
    EXPECT_EQ(SendMessageW(host.control(idOf(Tx::chkswTrayMouse)), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    host.type(title, L"Designed");
    host.click(host.control(idOf(Tx::chkswTrayMouse)));

    HWND sheet = GetAncestor(title, GA_ROOT);
    PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
    host.click(host.control(idOf(Ts::chkNoFlashOption)));
    // Static mode takes one picture: 48 is refused, 16 asked and declined, 32 taken without a word.
    std::vector<std::wstring> boxes;
    host.click(host.control(idOf(Ts::cmdSelectIcon)));
    for (const auto& [side, answer] : {std::pair{48, IDOK}, {16, IDNO}, {32, 0}}) {
        host.openFile(L"Open Image File...", folder + std::to_wstring(side) + L".ico");
        if (answer)
            boxes.push_back(host.answerBox(answer));
    }
    host.click(host.control(idOf(Ts::chkAnimationOption)));
    host.type(host.control(idOf(Ts::datAnimationCycleTime)), L"0.25");
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(host.ended());

    EXPECT_EQ(boxes, (std::vector<std::wstring>{
                         L"Image is greater than 32 x 32\r\n\r\n48 x 48",
                         L"Image is less than 32 x 32\r\n\r\n16 x 16\r\nProceed still?"}));
    const std::string saved = [&] {
        std::ifstream file(out.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }();
    for (const std::wstring& file : files)
        DeleteFileW(file.c_str());
    // The control leaves out what equals its default (both switches on).
    std::map<std::string, BagValue> values{{"swTrayMouse", true}};
    for (auto& entry : parseBag(saved))
        values[entry.name] = entry.value;
    // The picture saves as an icon file again; its directory names the one image it holds.
    const auto* image = std::get_if<PictureBytes>(&values["Image"]);
    ASSERT_TRUE(image && image->bytes.size() > 8);
    EXPECT_EQ(std::vector(image->bytes.begin() + 4, image->bytes.begin() + 8),
              (std::vector<std::uint8_t>{1, 0, 32, 32}))
        << "one image of 32 x 32";
    values.erase("Image");
    EXPECT_EQ(values, (std::map<std::string, BagValue>{{"TrayTitle", std::string("Designed")},
                                                       {"swTrayMouse", true},
                                                       {"TrayMode", std::int16_t(2)},
                                                       {"FrameCount", std::int16_t(5)},
                                                       {"AnimCycle", 0.25}}));
}

} // namespace
} // namespace norvane::design
