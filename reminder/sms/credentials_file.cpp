// Composes the text of Reminder.dat from the gateway account fields.
#include "reminder/sms/credentials_file.h"

#include "reminder/sms/mod_encryption.h"

namespace davrin::sms {

const std::array<FieldDescription, fieldCount> fields = {{
    {"address-start", "request address, first part"},
    {"cdma-header", "CDMA header"},
    {"user-end", "user name, second part"},
    {"address-end", "request address, second part"},
    {"password-middle", "password, middle part"},
    {"sender-id", "sender id"},
    {"password-start", "password, first part"},
    {"user-start", "user name, first part"},
    {"password-end", "password, last part"},
}};

std::string fileText(std::span<const std::string_view, fieldCount> values) {
    std::string plain;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            plain.push_back(fieldSeparator);
        }
        plain.append(values[i]);
    }
    // CR LF on every platform, so the same file serves wherever it was made.
    return EncipherText(plain, passPhrase) + "\r\n";
}

} // namespace davrin::sms
