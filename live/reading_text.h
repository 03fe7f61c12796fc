#pragma once
// A round of readings as text, the same wherever it is written: the read command's lines, its
// CSV table (on standard output or recorded by the editor's Live Values window) and the time
// stamp of a watched round.

#include "live/live_map.h"
#include "live/live_poller.h"

#include <chrono>
#include <string>
#include <vector>

// The value field of a reading: the value text, or "error: " and the reason.
std::string reading_value_field(const live_register& reg, const register_reading& reading);

// One line of the read command for a register: number, "F:" and the feeder, parameter name,
// value field, raw words; fields separated by a tab.
std::string reading_line(const live_register& reg, const register_reading& reading);

// The CSV header row: Register, Feeder, Parameter, Value, Raw, after Time when with_time.
std::string reading_csv_header(bool with_time);

// The CSV rows of a round, one per register (readings in the registers' order); time (when
// not empty) is the first field of every row.
std::string reading_csv_rows(const std::vector<live_register>& registers,
                             const std::vector<register_reading>& readings,
                             const std::string& time);

// A moment as ISO 8601 local time with "T", milliseconds and the offset from UTC
// ("2024-05-01T14:03:07.250+02:00").
std::string iso_local_time(std::chrono::system_clock::time_point when);
