// Reading Reminder.dat and joining its nine fields into the gateway account.
#include "reminder/sms/gateway_account.h"

#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

namespace davrin::sms {

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::optional<GatewayAccount> accountFromText(std::string_view plainText) {
    std::vector<std::string_view> f;
    for (std::size_t start = 0;;) {
        const auto end = plainText.find(fieldSeparator, start);
        f.push_back(plainText.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (f.size() < fieldCount)
        return std::nullopt;
    auto join = [](std::initializer_list<std::string_view> parts) {
        std::string joined;
        for (const auto part : parts)
            joined.append(part);
        return trimBlanks(joined);
    };
    GatewayAccount account{join({f[0], f[3]}), join({f[7], f[2]}), join({f[6], f[4], f[8]}),
                           join({f[5]}), join({f[1]})};
    for (const std::string* value : {&account.address, &account.userName, &account.password,
                                     &account.senderId, &account.cdmaHeader})
        if (value->empty())
            return std::nullopt;
    return account;
}

bool DoesFileExist(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

AccountRead readGatewayAccount(const std::filesystem::path& folder,
                               const std::function<std::string(std::string_view)>& fromAnsi) {
    const auto file = folder / fileName;
    if (!DoesFileExist(file))
        return {};
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!in || (!std::getline(in, line) && !in.eof())) {
        const auto name = file.u8string();
        return {std::nullopt, "The SMS account file \"" + std::string(name.begin(), name.end()) +
                                  "\" could not be read: " + std::strerror(errno) + "."};
    }
    // A file made on Windows ends its line in CR LF.
    line = line.substr(0, line.find('\r'));
    return {accountFromText(fromAnsi(DecipherText(line, passPhrase))), {}};
}

} // namespace davrin::sms
