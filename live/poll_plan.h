#pragma once
// Which requests read a map's registers: holding register N (40001 and above) is address
// N - 40001; consecutive addresses that the registers cover without a gap are read together,
// at most max_request_words a request, so that the card never sees an address no register
// covers and a map without gaps takes ceil(words / 125) requests.

#include <cstdint>
#include <optional>
#include <vector>

inline constexpr int first_holding_register = 40001;
inline constexpr int max_request_words = 125;

// The address of the register numbered `number` that is `width` words wide, or nothing when
// its words do not all lie in the 65536 holding registers (a number below 40001 among them).
std::optional<int> holding_address(int number, int width);

struct register_span {
    int number = 0;
    int width = 0;
};

struct poll_request {
    int address = 0;
    int count = 0;
    bool operator==(const poll_request&) const = default;
};

// The reads that cover every addressable register of spans, in address order. Registers that
// are not addressable, or no words wide, are left out.
std::vector<poll_request> plan_reads(const std::vector<register_span>& spans,
                                     int max_words = max_request_words);
