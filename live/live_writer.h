#pragma once
// A write of one register's value: the typed text encoded by the value rules (refused when
// the register cannot take it: nothing is sent then), and the words sent in requests of at
// most 123 words (function 6 for one word, 16 for several).

#include "live/host_link.h"
#include "live/live_map.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int max_write_words = 123;

// The words a write of typed sends to reg, or nothing with the message that refuses it
// (a read-only or unaddressable register, a register without a value rule, a text that is
// not a value, a value out of range).
std::optional<std::vector<std::uint16_t>>
prepare_write(const live_register& reg, std::string_view typed, std::string& message);

enum class write_outcome { written, answered_with_error, connection_failed };

// Writes words to the register's words through link, opening it first when needed. done
// gets the outcome and, unless written, the message to show.
void send_write(host_link& link, const live_register& reg, std::vector<std::uint16_t> words,
                std::function<void(write_outcome, std::string message)> done);
