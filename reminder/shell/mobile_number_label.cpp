// Reading lblmobileno from the settings row, at start-up and after each settings save.
#include "mobile_number_label.h"

#include "reminder_statements.h"

namespace davrin {

void MobileNumberLabel::reload(const Connection& conn) {
    const auto settings = readSettings(conn);
    text_ = settings ? settings->mobileno : std::string{};
}

} // namespace davrin
