// Test doubles for the shell's services, on the reminder database the editing tests use too.
#pragma once

#include "../editing/editing_test_support.h"
#include "alert_values.h"
#include "alert_window.h"
#include "http_client.h"
#include "list_window.h"
#include "message_box.h"

#include <gmock/gmock.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace davrin::test {

// Each box as "title: text"; `during` runs while the box is "open"; with `closedByUser`
// false, each goes away as the program ends.
class RecordingBoxes : public MessageBoxes {
public:
    bool show(const std::string& text, const std::string& title, MessageIcon) override {
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
class ScriptedAlert : public AlertWindow {
public:
    struct Reply {
        std::string answer; // what gAlertResult becomes; empty leaves it unanswered
        LocalDateTime newTime{};
    };

    bool isVisible() const override { return visible_; }
    void showModal(const AlertLabels& labels) override {
        shown.push_back(labels);
        visible_ = true;
        if (during)
            during();
        visible_ = false;
        ASSERT_FALSE(replies.empty()) << "an alert nobody expected: " << labels.Label1;
        const Reply reply = replies.front();
        replies.pop_front();
        if (!reply.answer.empty())
            gAlertResult = reply.answer;
        if (reply.answer == kModify)
            gNewTime = reply.newTime;
    }
    void answerAll(std::size_t n, const std::string& answer) {
        replies.insert(replies.end(), n, Reply{answer});
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& labels : shown)
            out.push_back(labels.Label1);
        return out;
    }

    std::deque<Reply> replies;
    std::vector<AlertLabels> shown;
    std::function<void()> during;

private:
    bool visible_ = false;
};

class FakeList : public ListWindow {
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

class FakeHttp : public HttpClient {
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
    gAlertTitle.clear();
    gAlertText.clear();
    gThought.clear();
    gNewsLine.clear();
    gAlertResult.clear();
    gNewTime = LocalDateTime{};
}

} // namespace davrin::test
