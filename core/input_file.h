#pragma once
// The one way the program takes a whole file in. Only a regular file is read: a folder, a
// device or a pipe is refused before any byte is read, so that no reader can wait on endless
// input or take a folder for an empty file. Nothing larger than a stated bound is read.

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

// The largest input any reader of the program takes: 256 MiB. Maps, catalogues, images and
// old files are far smaller; anything bigger is refused rather than read into memory.
inline constexpr std::size_t max_input_bytes = std::size_t{256} << 20;

enum class file_read_result {
    ok,
    cannot_open, // missing, unreadable, or a read error part way through
    not_regular, // a folder, a device, a pipe or a socket
    too_large,   // more than the bound
};

// Reads the whole regular file at path into contents (binary, no line-end translation).
// On any result but ok, contents is left empty.
file_read_result read_regular_file(const std::string& path, std::string& contents,
                                   std::size_t max_bytes = max_input_bytes);

// Why read_regular_file refused path, in a few words for the line under a message: "no such
// file", "permission denied", "a folder, not a file", "larger than 256 MiB", ...
std::string read_failure_reason(const std::string& path, file_read_result result);

// The whole regular file at path, or nothing when read_regular_file refuses it.
std::optional<std::string> read_whole_file(const std::string& path,
                                           std::size_t max_bytes = max_input_bytes);

// Reads what is left of in into contents, at most max_bytes. False when the stream holds more
// than that or fails while it is read (contents is then empty).
bool read_bounded(std::istream& in, std::string& contents, std::size_t max_bytes = max_input_bytes);
