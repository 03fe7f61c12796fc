#pragma once
// The values of the feeders' parameters behind the card's host registers, identified by
// feeder and name: numbers, texts and word lists from a values file, one a line:
//   F:<feeder> <name> <value>
// where the value is a number (decimal, 0x hex, or with a fraction or exponent), a
// double-quoted string with C escapes, or comma-separated words (an array). A status word
// is a number named by its status mnemonic (F:1 PSR 0x12). Blank lines and lines starting
// with # are skipped. A value the card has never been given is 0 (or an empty text, or no
// words). Host writes replace values; values the host has not written can wander slowly
// around their start for demonstrations.

#include "live/live_value.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class feeder_values {
  public:
    // The values of a values file's text; nothing, with a message naming the line, when a
    // line cannot be read.
    static std::optional<feeder_values> parse(std::string_view text, std::string& error);

    // The value at t seconds after start (moved around its start with wander).
    live_value value(int feeder, const std::string& name, double t) const;
    // Whether the values file or a host write gave the parameter a value.
    bool given(int feeder, const std::string& name) const {
        return entries_.count({feeder, name}) != 0;
    }
    // The value a host write gave; it no longer wanders.
    void set_by_host(int feeder, const std::string& name, live_value value);
    void set_wander(bool on) { wander_ = on; }

  private:
    struct entry {
        live_value start;
        bool host_written = false;
    };
    std::map<std::pair<int, std::string>, entry> entries_;
    bool wander_ = false;
};
