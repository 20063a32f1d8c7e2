// One gateway request: its target text, built from the account, the number and the occurrence.
#pragma once

#include "reminder/sms/gateway_account.h"
#include "reminder/store/reminder_statements.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace davrin::sms {

// The gateway takes at most this many characters of a message.
inline constexpr std::size_t kMaxSmsCharacters = 160;

// The first `count` characters (code points) of UTF-8 text.
std::string_view firstCharacters(std::string_view utf8, std::size_t count);

// Every byte of `utf8` except the unreserved ones (letters, digits, - . _ ~) as %XX, so that
// &, #, + and % in a message reach the gateway as the user wrote them.
std::string percentEncode(std::string_view utf8);

// The account's address followed by the query with every value encoded; the address itself is
// used as written, since it carries whatever the gateway needs before the first parameter.
std::string requestTarget(const GatewayAccount& account, std::string_view mobileNumber,
                          const store::Occurrence& row);

// Whether the gateway took the message: its reply starts with "Code=120", in any letter case.
bool isAccepted(std::string_view reply);

} // namespace davrin::sms
