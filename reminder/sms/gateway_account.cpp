// Reading Reminder.dat and joining its nine fields into the gateway account.
#include "reminder/sms/gateway_account.h"

#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"
#include "reminder/store/file_access.h"

#include <cstring>
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

bool DoesFileExist(const store::FilePath& file) {
    return store::lookUp(file).kind == store::FileKind::Regular;
}

AccountRead readGatewayAccount(const store::FilePath& folder,
                               const std::function<std::string(std::string_view)>& fromAnsi) {
    const auto file = folder / fileName;
    if (!DoesFileExist(file))
        return {};
    const store::FileRead read = store::readWholeFile(file);
    if (read.error != 0) {
        return {std::nullopt, "The SMS account file \"" + file.utf8() +
                                  "\" could not be read: " + std::strerror(read.error) + "."};
    }
    // Only the first line counts; a file made on Windows ends it in CR LF.
    const std::string line = read.bytes.substr(0, read.bytes.find_first_of("\r\n"));
    return {accountFromText(fromAnsi(DecipherText(line, passPhrase))), {}};
}

} // namespace davrin::sms
