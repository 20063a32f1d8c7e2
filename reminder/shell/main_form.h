// Main: the hidden main window's logic: start-up, tray mouse handling, the tray menu, the timers.
#pragma once

#include "reminder/shell/due_scan.h"
#include "reminder/shell/mobile_number_label.h"
#include "reminder/shell/pause_item.h"
#include "reminder/sms/sms_dispatch.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace davrin::shell {

enum class MenuCommand { Rem, Prem, Exit };

struct MenuEntry {
    MenuCommand command;
    std::string caption;
};

// The tray control, as the main window calls it.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual bool RestoreIcon() = 0;
    virtual bool PlaceIcon() = 0;
};

class MainView {
public:
    virtual ~MainView() = default;
    virtual void hide() = 0;
    // Pops MMenu up at the mouse position; the chosen item, if any.
    virtual std::optional<MenuCommand> popupMenu(const std::array<MenuEntry, 3>& items) = 0;
    virtual void showAbout() = 0;
    virtual void endProgram() = 0;
};

class Main {
public:
    struct Parts {
        MainView& view;
        TrayIcon& ctlSysTray1;
        ListWindow& list;
        AlertWindow& alert;
        HttpClient& Inet1;
        ui::MessageBoxes& boxes;
        const store::Clock& clock;
        store::FilePath programFolder;
        MobileNumberLabel& lblmobileno;
        sms::HttpRequester& gateway;
        // The credentials file's code-page text as UTF-8 (unchanged when empty).
        std::function<std::string(std::string_view)> fromAnsi = {};
    };

    explicit Main(Parts parts);

    // False when the database could not be opened (reported); the program cannot run then.
    bool Form_Load();

    void ctlSysTray1_TrMouseLeftDblClk();
    void ctlSysTray1_TrMouseRightDown();
    void Rem_Click() { p_.view.showAbout(); }
    void Prem_Click() { Prem.toggle(); }
    void Exit_Click() { p_.view.endProgram(); }
    void Timer1_Timer() { scan_.Timer1_Timer(); }
    void Timer2_Timer() { sms_.Timer2_Timer(p_.lblmobileno.text()); }

    std::array<MenuEntry, 3> MMenu() const;

private:
    Parts p_;
    PauseItem Prem;
    DueReminderScan scan_;
    sms::SmsDispatch sms_;
};

} // namespace davrin::shell
