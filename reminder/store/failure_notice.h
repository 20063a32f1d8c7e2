// A lasting failure told once, and told again only after things worked in between.
#pragma once

#include <utility>

namespace davrin::store {

// One per thing that can keep failing (a timer's work, a window's rebuild). The box that tells
// the failure may run handlers that fail again before it closes (a window re-activated by the
// box, a timer ticking under it): the failure counts as told before `tell` runs, so those stay
// quiet whatever order they come in.
class FailureNotice {
public:
    template <class Tell> void failed(Tell&& tell) {
        if (!std::exchange(told_, true))
            std::forward<Tell>(tell)();
    }
    void worked() { told_ = false; }

private:
    bool told_ = false;
};

} // namespace davrin::store
