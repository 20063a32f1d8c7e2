// Serialisation of the tray record and the tip writing rule.
#include "traycontrol/control/logic/notify_icon_data.h"

#include <algorithm>

namespace norvane::logic {

void writeTip(NotifyIconData& record, std::string_view ansiText) {
    const auto kept = std::min(ansiText.size(), record.szTip.size() - 1);
    record.szTip.fill(' ');
    std::copy_n(ansiText.begin(), kept, record.szTip.begin());
    record.szTip[kept] = '\0';
}

} // namespace norvane::logic
