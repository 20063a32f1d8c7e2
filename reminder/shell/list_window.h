// The list window as the shell sees it: the tray double-click shows it, the scan refreshes it.
#pragma once

namespace davrin::shell {

// Implemented by the reminder list window; the shell never needs more than these three calls.
class ListWindow {
public:
    virtual ~ListWindow() = default;
    virtual bool isVisible() const = 0;
    virtual void showModeless() = 0;
    // Rebuilds the list from the database so an answered alert shows at once.
    virtual void grd1add() = 0;
};

} // namespace davrin::shell
