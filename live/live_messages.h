#pragma once
// The texts live values show: the refusals of a map, the notes of a register that has no
// value, the reasons a request failed and the refusal of a value.

#include <string>
#include <string_view>

namespace live_messages {

inline constexpr std::string_view not_modbus = "Live values need a Modbus or Modbus/TCP map.";
inline constexpr std::string_view ascii_mode = "Live values need Modbus RTU; this map uses ASCII.";

// Notes of a register that cannot show a value (after "error: ").
inline constexpr std::string_view width_misfit = "width does not fit the format";
inline constexpr std::string_view unusable_scale = "scale factor is 0 or not a number";
inline constexpr std::string_view shift_outside = "decimal shift outside -8 to 8";
inline constexpr std::string_view not_addressable = "not addressable";
inline constexpr std::string_view no_answer = "No answer";
// A format code that has no value rule.
std::string unknown_format(int format);

// "Value out of range: %1 is outside %2 to %3."
std::string out_of_range(std::string_view typed, std::string_view low, std::string_view high);
// "Could not connect to %1: %2", the target as HOST:PORT or the device path.
std::string could_not_connect(std::string_view target, std::string_view reason);
// "Not a number: %1." for a value typed for a numeric register.
std::string not_a_number(std::string_view typed);
// "Register %1 is read-only." (ROM constants, status values, arrays, bitmapped status).
std::string read_only(int number);
// "Register %1 is not in the map."
std::string not_in_map(int number);
// "Register %1: %2" for a register's note or a write's failure.
std::string register_note(int number, std::string_view note);
// The name of a Modbus exception code as the protocol names it ("Illegal data address").
std::string exception_name(int code);

} // namespace live_messages
