// SMS dispatch (Timer2_Timer): hands occurrences marked for SMS to the gateway ahead of time.
#pragma once

#include "reminder/sms/gateway_account.h"
#include "reminder/sms/http_requester.h"
#include "reminder/store/clock.h"
#include "reminder/store/database.h"
#include "reminder/store/failure_notice.h"
#include "reminder/ui/message_box.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace davrin::sms {

// Every box of SMS dispatch carries this title.
inline constexpr const char* kSmsTitle = "Davrin";
// Occurrences due up to this many days ahead are handed over now.
inline constexpr int kDaysAhead = 30;

class SmsDispatch {
public:
    struct Services {
        const store::Connection& conn;
        const store::Clock& clock;
        HttpRequester& gateway;
        ui::MessageBoxes& boxes;
        store::FilePath programFolder;
        // The credentials file's code-page text as UTF-8; as it is when left empty.
        std::function<std::string(std::string_view)> fromAnsi;
    };

    explicit SmsDispatch(Services services);

    // One tick: sends what is pending to the number in `lblmobileno`. Does nothing while an
    // earlier tick's run, or one of its boxes, is still open.
    void Timer2_Timer(const std::string& lblmobileno);

private:
    enum class Sent { Accepted, Refused, Unreachable };

    void run(const GatewayAccount& account, const std::string& mobileNumber);
    Sent PostSMSRequest(const std::string& target, const std::string& address);
    void markHandedOver(std::int64_t remid);
    void tellStoreFailure(const std::string& text);

    Services s_;
    bool running_ = false;
    std::string mSmsResponse;
    // Accepted by the gateway but not yet marked in the store: never sent twice.
    std::set<std::int64_t> unmarked_;
    store::FailureNotice connection_;
    store::FailureNotice refusal_;
    store::FailureNotice store_;
    store::FailureNotice file_;
};

} // namespace davrin::sms
