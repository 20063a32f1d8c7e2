// The SMS gateway account: the five values the dispatcher joins from the fields of Reminder.dat.
#pragma once

#include "reminder/store/file_path.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace davrin::sms {

struct GatewayAccount {
    std::string address; // the start of every request target, written as the file holds it
    std::string userName;
    std::string password;
    std::string senderId;
    std::string cdmaHeader;
};

// Text with the blanks at both ends removed (blanks only, as the file pads with blanks).
std::string trimBlanks(std::string_view text);

// The account in a deciphered credentials text, every value trimmed; nothing when the text holds
// fewer than nine fields or any value is blank.
std::optional<GatewayAccount> accountFromText(std::string_view plainText);

// True when a file of that path exists; false also when the question itself fails.
bool DoesFileExist(const store::FilePath& file);

struct AccountRead {
    std::optional<GatewayAccount> account; // nothing: no usable account, and nothing to tell
    std::string failure;                   // set when the file exists but could not be read
};

// Reads and deciphers `folder`/Reminder.dat. `fromAnsi` turns the file's code-page text into
// UTF-8. A missing, empty or short file, or a blank value, gives no account and no failure.
AccountRead readGatewayAccount(const store::FilePath& folder,
                               const std::function<std::string(std::string_view)>& fromAnsi);

} // namespace davrin::sms
