#include "core/input_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct temp_dir {
    fs::path path;
    temp_dir() {
        path = fs::temp_directory_path() / ("tessaly-wf-" + std::to_string(::getpid()));
        fs::create_directories(path);
    }
    ~temp_dir() { fs::remove_all(path); }
};

void write(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}
} // namespace

TEST(WholeFile, ReadsUpToTheLimitAndRefusesWhatItCannotRead) {
    temp_dir dir;
    // Across the reading chunk's size, with bytes a text read would change.
    std::string big(70000, 'x');
    big[0] = '\0';
    big[65536] = '\r';
    write(dir.path / "big", big);
    write(dir.path / "empty", "");

    struct case_t {
        const char* name;
        std::size_t limit;
        std::optional<std::string> expected;
    };
    const case_t cases[] = {
        {"big", max_input_bytes, big},
        {"big", big.size(), big},
        {"big", big.size() - 1, std::nullopt},
        {"big", 100, std::nullopt},
        {"empty", max_input_bytes, std::string()},
        {"missing", max_input_bytes, std::nullopt},
        {".", max_input_bytes, std::nullopt}, // the folder itself
    };
    for (const case_t& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " limit " + std::to_string(c.limit));
        const fs::path path = std::string(c.name) == "." ? dir.path : dir.path / c.name;
        EXPECT_EQ(read_whole_file(path.string(), c.limit), c.expected);
    }
}
