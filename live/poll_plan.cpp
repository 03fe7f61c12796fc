#include "live/poll_plan.h"

#include <algorithm>

namespace {
constexpr long long address_space = 65536;
} // namespace

std::optional<int> holding_address(int number, int width) {
    long long address = static_cast<long long>(number) - first_holding_register;
    if (number < first_holding_register || width < 1 || address + width > address_space)
        return std::nullopt;
    return static_cast<int>(address);
}

std::vector<poll_request> plan_reads(const std::vector<register_span>& spans, int max_words) {
    struct run {
        int first, end; // [first, end)
    };
    std::vector<run> runs;
    for (const auto& span : spans)
        if (auto address = holding_address(span.number, span.width))
            runs.push_back({*address, *address + span.width});
    std::sort(runs.begin(), runs.end(),
              [](const run& a, const run& b) { return a.first < b.first; });

    std::vector<poll_request> requests;
    auto emit = [&](run r) {
        for (int at = r.first; at < r.end; at += max_words)
            requests.push_back({at, std::min(max_words, r.end - at)});
    };
    std::optional<run> open;
    for (const auto& r : runs) {
        if (open && r.first <= open->end) {
            open->end = std::max(open->end, r.end);
            continue;
        }
        if (open)
            emit(*open);
        open = r;
    }
    if (open)
        emit(*open);
    return requests;
}
