// Test doubles for the pages' ports: a control that logs what is set, scripted boxes and files.
#pragma once

#include "traycontrol/pages/locale_numbers.h"
#include "traycontrol/pages/open_file_dialog.h"
#include "traycontrol/pages/page_changes.h"
#include "traycontrol/pages/page_message_boxes.h"
#include "traycontrol/pages/picture_files.h"
#include "traycontrol/pages/selected_control.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <deque>
#include <map>
#include <stdexcept>
#include <vector>

namespace norvane::pages::test {

struct FakePicture : PagePicture {
    explicit FakePicture(std::string n) : name(std::move(n)) {}
    std::string name;
};
inline PictureRef picture(const std::string& name) {
    return std::make_shared<FakePicture>(name);
}
// Pictures by name, Booleans as True and False.
inline std::string shown(const PropertyValue& value) {
    struct {
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(std::int16_t i) const { return std::to_string(i); }
        std::string operator()(double d) const {
            char b[32];
            return {b, std::to_chars(b, b + sizeof b, d).ptr};
        }
        std::string operator()(const PictureRef& p) const {
            return p ? static_cast<const FakePicture&>(*p).name : "Nothing";
        }
    } const text;
    return std::visit(text, value);
}

// A new control's values, with pictures ctl1 ... ctl10 and Image ctl11. Sets are logged as
// "Name=value"; the property in `refuse` is refused.
struct FakeControl : SelectedControl {
    std::map<Property, PropertyValue> values{
        {Property::TrayTitle, "SysTray"},      {Property::swTrayText, true},
        {Property::swTrayMouse, true},         {Property::GoWeb, false},
        {Property::TrayMode, std::int16_t(0)}, {Property::FrameCount, std::int16_t(10)},
        {Property::FlashCycle, 0.5},           {Property::AnimCycle, 0.5}};
    std::vector<std::string> log;
    std::optional<Property> refuse;
    FakeControl() {
        for (int n = 1; n <= 11; ++n)
            values[n == 11 ? Property::Image : picProperty(n)] = picture("ctl" + std::to_string(n));
    }
    PropertyValue get(Property p) const override { return values.at(p); }
    void set(Property p, const PropertyValue& v) override {
        if (p == refuse)
            throw std::runtime_error("Invalid property value");
        log.push_back(std::string(propertyName(p)) + "=" + shown(v));
    }
};

// A locale with `decimal` as its decimal mark and the other of "," and "." grouping thousands.
struct FakeNumbers : LocaleNumbers {
    char decimal = '.';
    std::optional<double> read(std::string_view text) const override {
        std::string plain(text);
        std::erase(plain, decimal == ',' ? '.' : ',');
        std::replace(plain.begin(), plain.end(), decimal, '.');
        double v = 0;
        const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
        return ec == std::errc() && *end == 0 ? std::optional(v) : std::nullopt;
    }
    std::string write(double v) const override {
        std::string s = shown(v);
        std::replace(s.begin(), s.end(), '.', decimal);
        return s;
    }
};

// Records each box's text, " [Yes/No]" added to questions, and answers them with `answer`.
struct FakeBoxes : PageMessageBoxes {
    std::vector<std::string> messages;
    MessageAnswer answer = MessageAnswer::Yes;
    MessageAnswer show(const std::string& text, MessageButtons b, MessageIcon) override {
        const bool question = b == MessageButtons::YesNo;
        messages.push_back(question ? text + " [Yes/No]" : text);
        return question ? answer : MessageAnswer::Ok;
    }
};

// Chooses the scripted paths in turn, then cancels.
struct FakeDialog : OpenFileDialog {
    std::deque<std::string> paths;
    std::vector<OpenFileRequest> requests;
    std::optional<std::string> ShowOpen(const OpenFileRequest& r) override {
        requests.push_back(r);
        std::optional<std::string> path;
        if (!paths.empty())
            path = paths.front(), paths.pop_front();
        return path;
    }
};

// "...\<w>x<h>.ico" holds a w x h picture named after its path; any other file is missing.
struct FakePictureFiles : PictureFiles {
    LoadedPicture load(const std::string& path) override {
        LoadedPicture loaded{picture(path)};
        const auto name = path.substr(path.find_last_of('\\') + 1);
        if (std::sscanf(name.c_str(), "%dx%d.ico", &loaded.width, &loaded.height) != 2)
            throw std::runtime_error("The system cannot find the file specified.");
        return loaded;
    }
};

struct FakeSite : PageSite {
    int notified = 0;
    void pageChanged() override { ++notified; }
};

} // namespace norvane::pages::test
