// Do-nothing stand-ins for the scan's windows and services, for tools that run the scan headless.
#pragma once

#include "reminder/shell/due_scan.h"

namespace davrin::shell {

// Counts the alerts it was asked to show, so a caller can tell that something was due.
class NullAlertWindow final : public AlertWindow {
public:
    bool isVisible() const override { return false; }
    std::optional<AlertResult> showModal(const AlertLabels&) override {
        ++shown;
        return std::nullopt;
    }
    int shown = 0;
};

class NullListWindow final : public ListWindow {
public:
    bool isVisible() const override { return false; }
    void showModeless() override {}
    void grd1add() override {}
};

class NullHttpClient final : public HttpClient {
public:
    std::optional<std::string> get(const std::string&, std::chrono::milliseconds) override {
        return std::nullopt;
    }
};

class NullMessageBoxes final : public ui::MessageBoxes {
public:
    bool show(const std::string&, const std::string&, ui::MessageIcon) override { return true; }
};

} // namespace davrin::shell
