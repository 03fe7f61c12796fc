#include "core/input_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

bool read_bounded(std::istream& in, std::string& contents, std::size_t max_bytes) {
    contents.clear();
    constexpr std::size_t chunk = 64 * 1024;
    std::string block(chunk, '\0');
    try {
        for (;;) {
            in.read(block.data(), static_cast<std::streamsize>(chunk));
            const auto got = static_cast<std::size_t>(in.gcount());
            if (got > max_bytes - contents.size()) {
                contents.clear();
                return false;
            }
            contents.append(block.data(), got);
            if (in.bad()) {
                contents.clear();
                return false;
            }
            if (got < chunk)
                break;
        }
    } catch (...) {
        // A stream that throws, or memory running out, is a failed read like any other.
        contents.clear();
        return false;
    }
    in.clear(in.rdstate() & ~(std::ios::failbit | std::ios::eofbit));
    return true;
}

file_read_result read_regular_file(const std::string& path, std::string& contents,
                                   std::size_t max_bytes) {
    namespace fs = std::filesystem;
    contents.clear();
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return file_read_result::cannot_open;
    if (!fs::is_regular_file(status))
        return file_read_result::not_regular;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > max_bytes)
        return file_read_result::too_large;

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return file_read_result::cannot_open;
    // The file may still grow (or be swapped) after the size was looked at: the read itself
    // keeps to the bound too.
    if (!read_bounded(in, contents, max_bytes))
        return in.bad() ? file_read_result::cannot_open : file_read_result::too_large;
    return file_read_result::ok;
}

std::optional<std::string> read_whole_file(const std::string& path, std::size_t max_bytes) {
    std::string contents;
    if (read_regular_file(path, contents, max_bytes) != file_read_result::ok)
        return std::nullopt;
    return contents;
}
