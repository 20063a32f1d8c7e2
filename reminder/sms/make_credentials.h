// The make-credentials command: writes Reminder.dat from the nine gateway account fields.
#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace credentials {

// Exit codes of the command.
inline constexpr int exitOk = 0;
inline constexpr int exitWriteFailed = 1;
inline constexpr int exitUsage = 2;

// Runs the command with its arguments (without the program name). Messages go to `out` and `err`.
int runMakeCredentials(std::span<const std::string_view> args, std::ostream& out,
                       std::ostream& err);

// Replaces `target` by `content` through a temporary file beside it, so that a failure leaves
// either the old file or none, never part of the new one. Returns an empty text or the reason.
std::string writeFileReplacing(const std::filesystem::path& target, std::string_view content);

} // namespace credentials
