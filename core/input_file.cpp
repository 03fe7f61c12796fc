#include "core/input_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

std::string read_failure_reason(const std::string& path, file_read_result result) {
    namespace fs = std::filesystem;
    std::error_code error;
    switch (result) {
    case file_read_result::ok:
        return {};
    case file_read_result::not_regular:
        return fs::is_directory(path, error) ? "a folder, not a file"
                                             : "not a regular file (a device, a pipe or a socket)";
    case file_read_result::too_large:
        return "larger than " + std::to_string(max_input_bytes >> 20) + " MiB";
    case file_read_result::cannot_open:
        break;
    }
    // Opened once more to learn what the system says.
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    const int cause = errno;
    if (f != nullptr) {
        std::fclose(f);
        return "read error";
    }
    switch (cause) {
    case ENOENT:
        return "no such file";
    case EACCES:
        return "permission denied";
    default: {
        std::string text = std::strerror(cause);
        if (!text.empty())
            text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    }
}

std::optional<std::string> read_whole_file(const std::string& path, std::size_t max_bytes) {
    std::string contents;
    if (read_regular_file(path, contents, max_bytes) != file_read_result::ok)
        return std::nullopt;
    return contents;
}
