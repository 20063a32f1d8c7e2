// Reading lblmobileno from the settings row, at start-up and after each settings save.
#include "reminder/shell/mobile_number_label.h"

#include "reminder/store/reminder_statements.h"

namespace davrin::shell {

void MobileNumberLabel::reload(const store::Connection& conn) {
    const auto settings = store::readSettings(conn);
    text_ = settings ? settings->mobileno : std::string{};
}

} // namespace davrin::shell
