#include "live/live_poller.h"

#include "live/live_messages.h"
#include "live/value_rules.h"

#include <algorithm>

struct live_poller::round {
    std::function<void(const poll_result&)> done;
    std::vector<link_reply> replies; // one per request of the plan, in plan order
    int unanswered = 0;              // requests in a row that got no answer
};

bool poll_result::all_read() const {
    return connection_error.empty() &&
           std::all_of(readings.begin(), readings.end(),
                       [](const register_reading& r) { return r.value.has_value(); });
}

live_poller::live_poller(host_link& link, std::vector<live_register> registers)
    : link_(link), registers_(std::move(registers)), alive_(std::make_shared<bool>(true)) {
    std::vector<register_span> spans;
    spans.reserve(registers_.size());
    for (const auto& reg : registers_)
        spans.push_back({reg.number, reg.layout.width()});
    plan_ = plan_reads(spans);
}

live_poller::~live_poller() = default;

bool live_poller::poll(std::function<void(const poll_result&)> done) {
    if (round_)
        return false;
    round_ = std::make_unique<round>();
    round_->done = std::move(done);
    if (link_.is_open()) {
        start_requests();
        return true;
    }
    std::weak_ptr<bool> alive = alive_;
    link_.open([this, alive](std::string reason) {
        if (alive.expired())
            return;
        if (!reason.empty())
            finish(live_messages::could_not_connect(link_.target(), reason));
        else
            start_requests();
    });
    return true;
}

void live_poller::start_requests() {
    round_->replies.clear();
    round_->replies.reserve(plan_.size());
    next_request();
}

void live_poller::next_request() {
    if (round_->replies.size() == plan_.size()) {
        finish({});
        return;
    }
    const auto request = plan_[round_->replies.size()];
    std::weak_ptr<bool> alive = alive_;
    link_.read(request.address, request.count, [this, alive, request](link_reply reply) {
        if (alive.expired() || !round_)
            return;
        if (reply.connection_lost) {
            finish(live_messages::could_not_connect(link_.target(), reply.error));
            return;
        }
        if (reply.error.empty() && reply.words.size() != static_cast<std::size_t>(request.count))
            reply.error = "wrong number of registers in the answer";
        // A card that let two requests in a row time out is not asked the rest of the round:
        // each request would wait out its own time-out, and a silent card would hold a round
        // of a full map for many seconds. Its registers read "No answer"; the next round asks
        // again. One unanswered request alone may be a garbled answer on a noisy line.
        round_->unanswered = reply.error == live_messages::no_answer ? round_->unanswered + 1 : 0;
        round_->replies.push_back(std::move(reply));
        if (round_->unanswered >= 2)
            while (round_->replies.size() < plan_.size())
                round_->replies.push_back({{}, std::string(live_messages::no_answer), false});
        next_request();
    });
}

register_reading live_poller::reading_of(const live_register& reg,
                                         const std::vector<link_reply>& replies) const {
    const auto& layout = reg.layout;
    if (layout.width() < 1)
        return {std::nullopt, layout.problem, {}};
    auto address = holding_address(reg.number, layout.width());
    if (!address)
        return {std::nullopt, std::string(live_messages::not_addressable), {}};
    register_reading reading;
    for (int a = *address; a < *address + layout.width(); ++a) {
        // The request that covers a: the last one starting at or before it.
        auto it = std::upper_bound(plan_.begin(), plan_.end(), a,
                                   [](int at, const poll_request& r) { return at < r.address; });
        const auto& reply = replies[static_cast<std::size_t>(it - plan_.begin() - 1)];
        if (!reply.error.empty())
            return {std::nullopt, reply.error, {}};
        reading.raw.push_back(reply.words[static_cast<std::size_t>(a - (it - 1)->address)]);
    }
    auto decoded = decode_value(layout, reading.raw);
    reading.value = std::move(decoded.value);
    reading.error = std::move(decoded.note);
    return reading;
}

void live_poller::finish(std::string connection_error) {
    auto current = std::move(round_);
    poll_result result;
    result.connection_error = std::move(connection_error);
    if (result.connection_error.empty()) {
        result.readings.reserve(registers_.size());
        for (const auto& reg : registers_)
            result.readings.push_back(reading_of(reg, current->replies));
    }
    current->done(result);
}
