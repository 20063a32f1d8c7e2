// The real about dialog under Wine: its texts, its links reaching the shell, Esc.
#include "reminder/about/about_win32.h"

#include "reminder/about/about_ids_win32.h"
#include "reminder/editing/modal_driver_win32_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace davrin::about {
namespace {

class RecordingShell final : public LinkShell {
public:
    void execute(const ShellRequest& request) override { calls.push_back(request); }
    std::vector<ShellRequest> calls;
};

void click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST(AboutWindowTest, ShowsTheContactsAndHandsEachLinkToTheShell) {
    RecordingShell shell;
    test::ModalDriver driver(nullptr);
    driver.run({[&](HWND dialog) {
                   const std::pair<int, const wchar_t*> texts[] = {
                       {IdLabel1, L"Davrin Software, 12 Example Road"},
                       {IdLabel2, L"Exampletown EX1 2AB"},
                       {IdLabel6, L"Telephone +1 555 0100"},
                       {IdLabel3, L"support@example.com"},
                       {IdLabel4, L"www.example.com"}};
                   for (const auto& [id, text] : texts)
                       EXPECT_EQ(test::textOf(GetDlgItem(dialog, id)), text);
                   click(GetDlgItem(dialog, IdLabel3));
                   click(GetDlgItem(dialog, IdLabel4));
                   // Esc through the dialog manager, as the keyboard sends it.
                   PostMessageW(GetDlgItem(dialog, IdCommand1), WM_KEYDOWN, VK_ESCAPE, 0);
               }},
               [&] { showFrmAbout(nullptr, shell, L"C:\\Programs\\Davrin"); });
    EXPECT_EQ(shell.calls,
              (std::vector<ShellRequest>{{false, "", "mailto:support@example.com", "C:\\"},
                                         {true, "open", "http://www.example.com/", ""}}));
}

} // namespace
} // namespace davrin::about
