// The about window's logic: who publishes the program, how to reach them, and its two links.
#pragma once

#include "reminder/store/file_path.h"

#include <string>

namespace davrin::about {

// The publisher's contact data (fictional: the example.com domain and a 555 number).
inline constexpr const char* kAddressLine1 = "Davrin Software, 12 Example Road";
inline constexpr const char* kAddressLine2 = "Exampletown EX1 2AB";
inline constexpr const char* kTelephone = "Telephone +1 555 0100";
inline constexpr const char* kMailAddress = "support@example.com";
inline constexpr const char* kWebAddress = "www.example.com";

enum class AboutLabel { Label1, Label2, Label6, Label3, Label4 };

// One call of the shell's "open this" function.
struct ShellRequest {
    bool ownedByWindow = false; // the about window owns what the shell shows
    std::string verb;           // empty: the file type's default
    std::string file;
    std::string directory; // empty: the shell's choice

    friend bool operator==(const ShellRequest&, const ShellRequest&) = default;
};

class LinkShell {
public:
    virtual ~LinkShell() = default;
    // Failures (no mail program, no browser) are the shell's to show, not ours.
    virtual void execute(const ShellRequest& request) = 0;
};

class FrmAboutView {
public:
    virtual ~FrmAboutView() = default;
    virtual void setText(AboutLabel label, const std::string& text) = 0;
    virtual void unload() = 0;
};

class FrmAbout {
public:
    FrmAbout(FrmAboutView& view, LinkShell& shell, store::FilePath programFolder)
        : view_(view), shell_(shell), programFolder_(std::move(programFolder)) {}

    void Form_Load();
    void Command1_Click() { view_.unload(); }
    // The e-mail address: a new mail.
    void Label3_Click();
    // The web address: the publisher's site.
    void Label4_Click();

private:
    FrmAboutView& view_;
    LinkShell& shell_;
    store::FilePath programFolder_;
};

} // namespace davrin::about
