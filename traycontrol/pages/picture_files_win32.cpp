// Icon files loaded as picture objects and measured in pixels, which picAuto once did.
#include "traycontrol/pages/dispatch_control_win32.h"
#include "traycontrol/pages/page_services_win32.h"
#include "traycontrol/pages/page_text_win32.h"
#include "traycontrol/pages/picture_drawing_win32.h"

#include "common/win32/handles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace norvane::pages {

namespace {
std::vector<char> readFile(const std::wstring& path) {
    win32::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        throw std::runtime_error(systemMessage(GetLastError()));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20))
        throw std::runtime_error("The file is too large for an icon.");
    std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        throw std::runtime_error(systemMessage(GetLastError()));
    return bytes;
}

} // namespace

LoadedPicture OlePictureFiles::load(const std::string& path) {
    const std::vector<char> bytes = readFile(wide(path));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    if (!memory)
        throw std::bad_alloc();
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    win32::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        throw std::bad_alloc();
    }
    win32::ComPtr<IPictureDisp> disp;
    const HRESULT hr =
        OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPictureDisp,
                       reinterpret_cast<void**>(disp.GetAddressOf()));
    win32::ComPtr<IPicture> picture;
    if (FAILED(hr) || FAILED(disp.As(&picture)))
        throw std::runtime_error("The file holds no picture this system can read.");
    const SIZE size = picturePixels(*picture.Get());
    return {std::make_shared<ComPagePicture>(std::move(disp)), static_cast<int>(size.cx),
            static_cast<int>(size.cy)};
}

} // namespace norvane::pages
