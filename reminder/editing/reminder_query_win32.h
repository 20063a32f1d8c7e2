// The list window for the program: shown modeless from the tray, refreshed by the due scan.
#pragma once

#include "reminder/shell/list_window.h"
#include "reminder/store/clock.h"
#include "reminder/store/database.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace davrin::editing {

struct EditingWindowServices {
    const store::Connection& conn;
    const store::Clock& clock;
    std::function<std::string()> mobileNumber; // lblmobileno
    std::function<std::string()> newsLine;     // empty when there is none; must not throw
    std::function<void(HWND owner)> showSettings;
};

class ReminderQueryWindow final : public shell::ListWindow {
public:
    ReminderQueryWindow(HINSTANCE instance, EditingWindowServices services);
    ~ReminderQueryWindow() override;
    ReminderQueryWindow(const ReminderQueryWindow&) = delete;
    ReminderQueryWindow& operator=(const ReminderQueryWindow&) = delete;

    bool isVisible() const override;
    // Loads the window afresh unless it is open already.
    void showModeless() override;
    void grd1add() override;

    // Call from the message loop before TranslateMessage: gives the modeless window its
    // keyboard navigation (Tab, access keys). True when the message was handled.
    bool preTranslate(MSG& msg);
    HWND handle() const;

    class Dialog;

private:
    HINSTANCE instance_;
    EditingWindowServices services_;
    std::unique_ptr<Dialog> dialog_;
};

} // namespace davrin::editing
