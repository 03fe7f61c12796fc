#pragma once
// Opening a map file as every part of the program opens one (Open, the commands of
// tessaly-cli, a send of a file as stored): the file read within the input bound, the text
// loaded with the model's reader, and the reasons kept for the message when that fails.

#include "model/map_read_report.h"
#include "model/zrp_file.h"

#include <memory>
#include <string>

inline constexpr const char* msg_open_failed = "Unable to open the requested file";
inline constexpr const char* msg_open_out_of_memory =
    "Not enough memory to open the requested file";

struct loaded_map_file {
    std::unique_ptr<zrp_file> map; // null when the file could not be opened as a map
    std::string text;              // the file's text, as read
    map_read_report report;        // the lines not read as written; why the load failed
    bool out_of_memory = false;    // the load ran out of memory (nothing of it is kept)
};

// Loads the map file at path with the model's reader; the load's own messages (conflicting
// registers) are shown as it goes. Running out of memory is a failed load, not an abort.
loaded_map_file load_map_file(const std::string& path);

// The same for a text already in memory.
loaded_map_file load_map_from_text(std::string text);

// Shows why a load failed: "Unable to open the requested file" (or the out-of-memory text)
// with "<path>: <reason>" as its detail.
void show_load_failure(const loaded_map_file& load, const std::string& path);

// The detail line of that message.
std::string load_failure_detail(const loaded_map_file& load, const std::string& path);
