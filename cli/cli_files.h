#pragma once
// Reading and writing the files of tessaly-cli's commands: whole input files (the core's
// bounded read), register maps loaded as Open loads them, and output to standard output or
// atomically to a file.

#include "core/input_file.h"
#include "model/zrp_file.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// A map read from text as Open reads it (the load's messages shown); nothing when it fails.
std::unique_ptr<zrp_file> load_map_text(const std::string& text);
// The same from a file; nothing when the file cannot be read or the load fails.
std::unique_ptr<zrp_file> load_map(const std::string& path);

// The map's text as Save writes it.
std::string map_text(zrp_file& map);

// Writes contents to standard output (out_path empty) or atomically to out_path; shows "Unable
// to save the requested file" and returns the failure status when that fails.
int write_output(std::string_view contents, const std::string& out_path);
