// Test doubles for the shell's services, on the reminder database the editing tests use too.
#pragma once

#include "../editing/editing_test_support.h"
#include "reminder/shell/alert_values.h"
#include "reminder/shell/alert_window.h"
#include "reminder/shell/http_client.h"
#include "reminder/shell/list_window.h"
#include "reminder/ui/message_box.h"

#include <gmock/gmock.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace davrin::test {

// Each box as "title: text"; `during` runs while the box is "open"; with `closedByUser`
// false, each goes away as the program ends.
class RecordingBoxes : public ui::MessageBoxes {
public:
    bool show(const std::string& text, const std::string& title, ui::MessageIcon) override {
        shown.push_back(title + ": " + text);
        if (during)
            during();
        return closedByUser;
    }
    std::vector<std::string> shown;
    std::function<void()> during;
    bool closedByUser = true;
};

// Answers each alert with the next scripted reply; `during` runs while the alert is "open".
class ScriptedAlert : public shell::AlertWindow {
public:
    using Reply = std::optional<shell::AlertResult>; // none: closed unanswered

    bool isVisible() const override { return visible_; }
    std::optional<shell::AlertResult> showModal(const shell::AlertLabels& labels) override {
        shown.push_back(labels);
        visible_ = true;
        if (during)
            during();
        visible_ = false;
        EXPECT_FALSE(replies.empty()) << "an alert nobody expected: " << labels.Label1;
        if (replies.empty())
            return std::nullopt;
        const Reply reply = replies.front();
        replies.pop_front();
        return reply;
    }
    void answerAll(std::size_t n, shell::AlertAnswer answer) {
        replies.insert(replies.end(), n, shell::AlertResult{answer, {}});
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& labels : shown)
            out.push_back(labels.Label1);
        return out;
    }

    std::deque<Reply> replies;
    std::vector<shell::AlertLabels> shown;
    std::function<void()> during;

private:
    bool visible_ = false;
};

class FakeList : public shell::ListWindow {
public:
    bool isVisible() const override { return visible; }
    void showModeless() override {
        ++shows;
        visible = true;
    }
    void grd1add() override { ++refreshes; }
    bool visible = false;
    int shows = 0;
    int refreshes = 0;
};

class FakeHttp : public shell::HttpClient {
public:
    std::optional<std::string> get(const std::string& url,
                                   std::chrono::milliseconds timeout) override {
        requested.push_back(url);
        lastTimeout = timeout;
        if (throws)
            throw std::runtime_error("connection reset");
        return body;
    }
    std::optional<std::string> body;
    bool throws = false;
    std::vector<std::string> requested;
    std::chrono::milliseconds lastTimeout{0};
};

// Resets the program-wide alert values so one test cannot leak into the next.
inline void clearAlertValues() {
    shell::gAlertTitle.clear();
    shell::gAlertText.clear();
    shell::gThought.clear();
    shell::gNewsLine.clear();
}

} // namespace davrin::test
