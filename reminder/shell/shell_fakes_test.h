// Test doubles for the shell's services and a reminder database in a fresh temporary folder.
#pragma once

#include "alert_values.h"
#include "alert_window.h"
#include "database.h"
#include "http_client.h"
#include "list_window.h"
#include "message_box.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace davrin::test {

// Opens gConn on a new database in a folder of its own, and removes the folder afterwards.
class TempDatabase {
public:
    TempDatabase() {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("davrin-shell-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        ConnectDatabase(folder_);
    }
    ~TempDatabase() {
        gConn.close();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;
    const std::filesystem::path& folder() const { return folder_; }

    // Raw SQL for arranging what no store function does (and for breaking things on purpose).
    static void exec(const std::string& sql) {
        char* error = nullptr;
        const int rc = sqlite3_exec(gConn.handle(), sql.c_str(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        ASSERT_EQ(rc, SQLITE_OK) << sql << ": " << message;
    }

private:
    std::filesystem::path folder_;
};

struct RecordedBox {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class RecordingBoxes : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    std::vector<RecordedBox> shown;
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
