#include "core/whole_file.h"

#include <filesystem>
#include <fstream>

std::optional<std::string> read_whole_file(const std::string& path, std::size_t limit) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string contents;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        if (contents.size() + static_cast<std::size_t>(in.gcount()) > limit)
            return std::nullopt;
        contents.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        return std::nullopt;
    return contents;
}
