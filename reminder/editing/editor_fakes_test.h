// Fake views of the two editors: controls as plain fields, message boxes recorded.
#pragma once

#include "reminder/editing/ot_reminder.h"
#include "reminder/editing/rec_reminder.h"

#include <string>
#include <vector>

namespace davrin::test {

template <class View> class FakeEditorView : public View {
public:
    void setCaption(const std::string&) override {} // read on the real window
    void setDTPicker1(std::chrono::year_month_day d) override { date = d; }
    std::chrono::year_month_day DTPicker1() const override { return date; }
    void setDTPicker2(std::chrono::minutes t) override { time = t; }
    std::chrono::minutes DTPicker2() const override { return time; }
    void setCheck1(bool checked) override { sms = checked; }
    bool Check1() const override { return sms; }
    void enableCheck1(bool enabled) override { smsEnabled = enabled; }
    void showMessage(const std::string& text, ui::MessageIcon icon) override {
        messages.push_back((icon == ui::MessageIcon::Error ? "error: " : "info: ") + text);
    }
    void unload() override { unloaded = true; }

    void setSchedule(const store::LocalDateTime& t) {
        date = t.date();
        time = t.timeOfDay();
    }
    std::string lastMessage() const { return messages.empty() ? "" : messages.back(); }
    // Each box as "icon: text", then whether the window is still open.
    std::string outcome() const {
        std::string out;
        for (const auto& m : messages)
            out += m + "\n";
        return out + (unloaded ? "closed" : "open");
    }

    std::chrono::year_month_day date{};
    std::chrono::minutes time{};
    bool sms = false;
    bool smsEnabled = false;
    std::string message;
    std::vector<std::string> messages;
    bool unloaded = false;
};

class FakeOTReminderView : public FakeEditorView<editing::OTReminderView> {
public:
    void setText4(const std::string& text) override { message = text; }
    std::string Text4() const override { return message; }
};

class FakeRecReminderView : public FakeEditorView<editing::RecReminderView> {
public:
    void setDTPicker3(std::optional<std::chrono::year_month_day> d) override { endDate = d; }
    std::optional<std::chrono::year_month_day> DTPicker3() const override { return endDate; }
    void setDTPicker3TabStop(bool tabStop) override { endDateTabStop = tabStop; }
    std::string Text4() const override { return message; }
    void setText5(const std::string& text) override { count = text; }
    std::string Text5() const override { return count; }
    void enableText5(bool enabled) override { countEnabled = enabled; }
    std::optional<store::RepeatKind> selectedRepeat() const override { return repeat; }

    std::optional<std::chrono::year_month_day> endDate;
    bool endDateTabStop = false;
    std::string count;
    bool countEnabled = true;
    std::optional<store::RepeatKind> repeat;
};

} // namespace davrin::test
