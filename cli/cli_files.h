#pragma once
// Reading and writing the files of tessaly-cli's commands: register maps loaded as Open loads
// them, and output to standard output or atomically to a file.

#include "core/input_file.h"
#include "model/map_loading.h"
#include "model/zrp_file.h"

#include <memory>
#include <string>
#include <string_view>

// The map file at path loaded as Open loads it, the load's messages shown. Every line the
// reader could not read as written is written to standard error as "Line N was not read as
// written: ..."; a load that fails says so, with the path and the reason on the next line,
// and leaves the map null.
loaded_map_file open_map(const std::string& path);

// The same, for commands that need the map alone.
std::unique_ptr<zrp_file> load_map(const std::string& path);

// The map's text as Save writes it.
std::string map_text(zrp_file& map);

// Writes contents to standard output (out_path empty) or to out_path: atomically when it is a
// regular file or does not exist yet, directly when it is something else (/dev/null, a
// terminal, a pipe). Shows "Unable to save the requested file" and returns the failure status
// when that fails.
int write_output(std::string_view contents, const std::string& out_path);
