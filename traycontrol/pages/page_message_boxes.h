// Message boxes the pages raise, as a service, so their rules are testable without a desktop.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace norvane::pages {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Question, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

class PageMessageBoxes {
public:
    virtual ~PageMessageBoxes() = default;
    // Modal to the property frame; answers the button the designer pressed.
    virtual MessageAnswer show(const std::string& text, MessageButtons buttons,
                               MessageIcon icon) = 0;
};

// The pages give their boxes no title of their own, so they carry the library's name, as any
// box raised by code in this library without a title does.
inline constexpr std::string_view kMessageTitle = "Norvane";
inline constexpr std::string_view kCrLf = "\r\n";

// A control that refuses a value or cannot be read is reported, never left unsaid.
inline constexpr std::string_view kControlFailedText = "ctlSysTray answered with an error:";
void reportControlError(PageMessageBoxes& boxes, const std::exception& error);

} // namespace norvane::pages
