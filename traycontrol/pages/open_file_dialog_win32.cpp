// CommonDialog1: the platform's open-file dialog, set up from the page's request.
#include "traycontrol/pages/page_services_win32.h"

#include "traycontrol/pages/page_text_win32.h"

#include <commdlg.h>

#include <algorithm>

namespace norvane::pages {

std::optional<std::string> CommonOpenFileDialog::ShowOpen(const OpenFileRequest& request) {
    std::wstring filter = wide(request.Filter) + L"||";
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    const std::wstring title = wide(request.DialogTitle);
    const std::wstring folder = wide(request.InitDir);
    std::wstring file = wide(request.FileName);
    file.resize(32768, L'\0'); // long names
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.FilterIndex);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = request.Flags | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt; // cancelled, or a dialog that could not open: the pictures stay
    return utf8(file.c_str());
}

} // namespace norvane::pages
