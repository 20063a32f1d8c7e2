// NewRemScreen: the topmost alert for one due reminder, answering Delete, Snooze or Modify.
#pragma once

#include "reminder/shell/alert_window.h"
#include "reminder/store/clock.h"
#include "reminder/ui/message_box.h"

#include <chrono>
#include <optional>
#include <string>

namespace davrin::shell {

enum class AlertLabel { Label7, Label1, Label2, Label3, Label9 };

// What the real dialog (or a test) offers the window's logic.
class NewRemScreenView {
public:
    virtual ~NewRemScreenView() = default;
    virtual void setLabel(AlertLabel label, const std::string& text) = 0;
    // Keeps the window above every other application's windows (SetTopMost).
    virtual void setTopMost() = 0;
    virtual void setDTPicker1(std::chrono::year_month_day date) = 0;
    virtual void setDTPicker2(std::chrono::minutes timeOfDay) = 0;
    virtual std::chrono::year_month_day DTPicker1() const = 0;
    virtual std::chrono::minutes DTPicker2() const = 0;
    virtual void showMessage(const std::string& text, const std::string& title,
                             ui::MessageIcon icon) = 0;
    virtual void unload() = 0;
};

class NewRemScreen {
public:
    NewRemScreen(NewRemScreenView& view, const store::Clock& clock) : view_(view), clock_(clock) {}

    void Form_Load(const AlertLabels& labels);
    void btnDismiss_Click();
    void btnSnooze_Click();
    void btnModify_Click();
    // What the pressed button answered; none while no button has.
    const std::optional<AlertResult>& answer() const { return answer_; }

private:
    NewRemScreenView& view_;
    const store::Clock& clock_;
    std::optional<AlertResult> answer_;
};

// "dd-MM-yyyy", the date line of the alert.
std::string toAlertDateText(const store::LocalDateTime& t);

} // namespace davrin::shell
