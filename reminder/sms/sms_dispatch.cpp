// SMS dispatch: account, pending occurrences, one request each, marking, and telling failures once.
#include "reminder/sms/sms_dispatch.h"
#include "reminder/ui/busy_flag.h"

#include "reminder/sms/sms_request.h"
#include "reminder/store/reminder_statements.h"

#include <chrono>
#include <exception>
#include <utility>

namespace davrin::sms {

namespace {

// A tick waits at most this long, all together, for another program to release the file.
constexpr std::chrono::milliseconds kTickLockWait{250};

constexpr const char* kSupportLine = "If this keeps happening, write to support@example.com.";

} // namespace

SmsDispatch::SmsDispatch(Services services) : s_(std::move(services)) {
    if (!s_.fromAnsi)
        s_.fromAnsi = [](std::string_view text) { return std::string(text); };
}

void SmsDispatch::Timer2_Timer(const std::string& lblmobileno) {
    if (running_)
        return;
    const ui::BusyFlag busy(running_);
    const std::string mobileNumber = trimBlanks(lblmobileno);
    if (mobileNumber.empty())
        return;
    const AccountRead read = readGatewayAccount(s_.programFolder, s_.fromAnsi);
    if (!read.failure.empty()) {
        file_.failed([&] { s_.boxes.show(read.failure, kSmsTitle, ui::MessageIcon::Error); });
        return;
    }
    file_.worked();
    if (read.account)
        run(*read.account, mobileNumber);
}

void SmsDispatch::run(const GatewayAccount& account, const std::string& mobileNumber) {
    std::vector<store::Occurrence> rows;
    try {
        const store::LockWaitLimit wait(s_.conn, kTickLockWait);
        for (auto it = unmarked_.begin(); it != unmarked_.end(); it = unmarked_.erase(it))
            store::markSmsHandedOver(s_.conn, *it);
        rows = store::smsOccurrences(s_.conn, s_.clock.now().addDays(kDaysAhead));
    } catch (const std::exception& e) {
        tellStoreFailure(std::string("The SMS reminders could not be read from the database. They "
                                     "are sent as soon as it can be read again.\n\n") +
                         e.what());
        return;
    }
    store_.worked();
    for (const store::Occurrence& row : rows) {
        if (unmarked_.contains(row.remid))
            continue;
        const Sent sent =
            PostSMSRequest(requestTarget(account, mobileNumber, row), trimBlanks(account.address));
        // The gateway is gone for now: the rest wait for the next tick rather than each failing.
        if (sent == Sent::Unreachable)
            return;
        if (sent == Sent::Accepted)
            markHandedOver(row.remid);
    }
}

SmsDispatch::Sent SmsDispatch::PostSMSRequest(const std::string& target,
                                              const std::string& address) {
    mSmsResponse.clear();
    const HttpReply reply = s_.gateway.post(target);
    if (!reply.text) {
        connection_.failed([&] {
            s_.boxes.show("Unable to connect to Server...\n\n" + address + "\n" + reply.failure,
                          kSmsTitle, ui::MessageIcon::Information);
        });
        return Sent::Unreachable;
    }
    connection_.worked();
    mSmsResponse = *reply.text;
    if (isAccepted(mSmsResponse)) {
        refusal_.worked();
        return Sent::Accepted;
    }
    // A gateway that refuses one message usually refuses them all (a wrong password): told once
    // until one is taken again.
    refusal_.failed([&] {
        s_.boxes.show("Error " + std::string(firstCharacters(mSmsResponse, 8)) + "\r\n" +
                          kSupportLine,
                      kSmsTitle, ui::MessageIcon::Information);
    });
    return Sent::Refused;
}

void SmsDispatch::markHandedOver(std::int64_t remid) {
    try {
        const store::LockWaitLimit wait(s_.conn, kTickLockWait);
        store::markSmsHandedOver(s_.conn, remid);
    } catch (const std::exception& e) {
        unmarked_.insert(remid);
        tellStoreFailure(std::string("An SMS reminder was handed to the gateway but could not be "
                                     "marked as sent. It is marked as soon as the database can be "
                                     "written and is not sent again meanwhile.\n\n") +
                         e.what());
    }
}

void SmsDispatch::tellStoreFailure(const std::string& text) {
    store_.failed([&] { s_.boxes.show(text, kSmsTitle, ui::MessageIcon::Error); });
}

} // namespace davrin::sms
