#pragma once
// Reading a whole input file into memory, bounded, so that a directory, an endless device or
// a file far larger than any map ends in a clear failure rather than a hang or an exhausted
// memory.

#include <cstddef>
#include <optional>
#include <string>

// The longest input file the program reads whole.
inline constexpr std::size_t max_input_file_bytes = 64u << 20;

// The whole contents of a regular file (or of a device or pipe, up to the limit); nothing for
// a file that cannot be opened or read, a directory, or more than limit bytes.
std::optional<std::string> read_whole_file(const std::string& path,
                                           std::size_t limit = max_input_file_bytes);
