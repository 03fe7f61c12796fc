#pragma once
// A host register's entry in a map's text: one line, or four for bitmapped commands and
// status.

#include <cstddef>
#include <istream>
#include <ostream>

class host_register;
class map_line_source;

// The longest parameter name and command mnemonic a map file holds; reading cuts longer
// words to these.
inline constexpr std::size_t register_name_limit = 19;
inline constexpr std::size_t register_mnemonic_limit = 4;

// Writes the entry. "ProcStat"/"AlarmStat" registers are written (and left) with format 0.
void write_register(std::ostream& out, host_register& reg);
// Reads the next entry; false at the end of the stream or when a bitmapped entry is cut short.
bool read_register(std::istream& in, host_register& reg);
// The same from a map's lines, noting every line not read as written.
bool read_register(map_line_source& lines, host_register& reg);
