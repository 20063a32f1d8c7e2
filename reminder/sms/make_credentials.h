// The make-credentials command: writes Reminder.dat from the nine gateway account fields.
#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace davrin::sms {

// Exit codes of the command.
inline constexpr int exitOk = 0;
inline constexpr int exitWriteFailed = 1;
inline constexpr int exitUsage = 2;

// One argument as bytes of the ANSI code page, the form the program deciphers the fields into.
// `lossy`: the platform had no byte for some character of it (Windows puts "?" in its place).
struct Argument {
    Argument() = default;
    Argument(std::string_view bytes, bool unconvertible = false)
        : text(bytes), lossy(unconvertible) {}
    std::string_view text;
    bool lossy = false;
};

// Runs the command with its arguments (without the program name). Messages go to `out` and `err`.
int runMakeCredentials(std::span<const Argument> args, std::ostream& out, std::ostream& err);
// The same for arguments that are bytes already, as on every platform but Windows.
int runMakeCredentials(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& err);

// Replaces `target` by `content` through a temporary file of its own beside it, so that a failure
// leaves either the old file or none, never part of the new one, and no other file is touched.
// Returns an empty text or the reason.
std::string writeFileReplacing(const std::filesystem::path& target, std::string_view content);

} // namespace davrin::sms
