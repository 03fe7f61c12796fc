#pragma once
// Reading and writing the files of tessaly-cli's commands: whole input files (bounded, so
// that a directory or an endless device ends in a message rather than a hang), register maps
// loaded as Open loads them, and output to standard output or atomically to a file.

#include "model/zrp_file.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The longest input file a command reads.
inline constexpr std::size_t max_input_file_bytes = 64u << 20;

// The whole contents of a regular file (or of a device or pipe, up to the limit); nothing for
// a file that cannot be opened or read, a directory, or more than the limit.
std::optional<std::string> read_whole_file(const std::string& path);

// A map read from text as Open reads it (the load's messages shown); nothing when it fails.
std::unique_ptr<zrp_file> load_map_text(const std::string& text);
// The same from a file; nothing when the file cannot be read or the load fails.
std::unique_ptr<zrp_file> load_map(const std::string& path);

// The map's text as Save writes it.
std::string map_text(zrp_file& map);

// Writes contents to standard output (out_path empty) or atomically to out_path; shows "Unable
// to save the requested file" and returns the failure status when that fails.
int write_output(std::string_view contents, const std::string& out_path);
