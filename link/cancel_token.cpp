#include "link/cancel_token.h"

#include <algorithm>
#include <chrono>
#include <thread>

bool cancel_token::wait_for(int ms) const {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (cancelled())
            return true;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
        if (left <= 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<long long>(left, poll_ms)));
    }
}
