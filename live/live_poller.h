#pragma once
// One round of live values: every register of a map read through a host_link by the poll
// plan, and decoded by the value rules. The link is opened first when it is not open (so a
// card that went away is tried again on the next round).

#include "live/host_link.h"
#include "live/live_map.h"
#include "live/live_value.h"
#include "live/poll_plan.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct register_reading {
    std::optional<live_value> value;
    // Why there is no value: the exception's name, "No answer", "not addressable", or the
    // note of a register whose words do not fit its format.
    std::string error;
    // The words as read off the wire (empty when they could not be read).
    std::vector<std::uint16_t> raw;
};

struct poll_result {
    // One reading per register, in the poller's register order; empty when the connection
    // failed before anything was read.
    std::vector<register_reading> readings;
    // "Could not connect to ...": the connection could not be made or was lost.
    std::string connection_error;

    // Whether every register has a value.
    bool all_read() const;
};

class live_poller {
  public:
    // registers in the order readings are given (live_registers gives register order).
    live_poller(host_link& link, std::vector<live_register> registers);
    ~live_poller();
    live_poller(const live_poller&) = delete;
    live_poller& operator=(const live_poller&) = delete;

    // Reads every register once. A round already running is not started again (false).
    bool poll(std::function<void(const poll_result&)> done);
    bool busy() const { return round_ != nullptr; }

    const std::vector<live_register>& registers() const { return registers_; }
    const std::vector<poll_request>& plan() const { return plan_; }

  private:
    struct round;
    void start_requests();
    void next_request();
    void finish(std::string connection_error);
    register_reading reading_of(const live_register& reg,
                                const std::vector<link_reply>& replies) const;

    host_link& link_;
    std::vector<live_register> registers_;
    std::vector<poll_request> plan_;
    std::unique_ptr<round> round_;
    // Set while the poller lives; handlers of a request that outlives it see it cleared.
    std::shared_ptr<bool> alive_;
};
