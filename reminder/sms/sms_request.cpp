// Builds the gateway's request target and reads its reply.
#include "reminder/sms/sms_request.h"

#include "reminder/store/date_time.h"

#include <algorithm>
#include <cctype>

namespace davrin::sms {

std::string_view firstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t n = 0; end < utf8.size() && n < count; ++n) {
        ++end;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0u) == 0x80u)
            ++end;
    }
    return utf8.substr(0, end);
}

std::string percentEncode(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte)) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHex[byte >> 4]);
            encoded.push_back(kHex[byte & 0x0F]);
        }
    }
    return encoded;
}

std::string requestTarget(const GatewayAccount& account, std::string_view mobileNumber,
                          const store::Occurrence& row) {
    const std::string message = trimBlanks(firstCharacters(row.remainder, kMaxSmsCharacters));
    return trimBlanks(account.address) + "UserName=" + percentEncode(account.userName) +
           "&password=" + percentEncode(account.password) + "&MobileNo=91" +
           percentEncode(trimBlanks(mobileNumber)) +
           "&SenderID=" + percentEncode(account.senderId) +
           "&CDMAHeader=" + percentEncode(account.cdmaHeader) +
           "&Message=" + percentEncode(message) +
           "&ScheduleDate=" + percentEncode(store::toIsoDateText(row.remdate)) +
           // The storage form ends in the 24-hour "HH:MM" the gateway wants.
           "&ScheduleTime=" + percentEncode(store::toStorageText(row.remdate).substr(11));
}

bool isAccepted(std::string_view reply) {
    constexpr std::string_view kAccepted = "code=120";
    return reply.size() >= kAccepted.size() &&
           std::equal(kAccepted.begin(), kAccepted.end(), reply.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace davrin::sms
