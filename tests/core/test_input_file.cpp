#include "core/input_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class InputFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tessaly_input_file_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

// Only a regular file within the bound is read; everything else is refused before a byte is
// read, so that no reader waits on a device or a pipe.
TEST_F(InputFile, OnlyRegularFilesWithinTheBoundAreRead) {
    std::ofstream(path("map.zrp"), std::ios::binary) << std::string("RDX\r\n\0x", 7);
    std::ofstream(path("big"), std::ios::binary) << std::string(101, 'b');
    std::ofstream(path("exact"), std::ios::binary) << std::string(100, 'e');
    fs::create_directories(path("folder"));
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    fs::create_symlink(path("map.zrp"), path("link"));
    fs::create_symlink(path("folder"), path("folder_link"));

    struct row {
        std::string path;
        file_read_result result;
        std::string contents;
    };
    const row rows[] = {
        {path("map.zrp"), file_read_result::ok, std::string("RDX\r\n\0x", 7)},
        {path("link"), file_read_result::ok, std::string("RDX\r\n\0x", 7)},
        {path("exact"), file_read_result::ok, std::string(100, 'e')},
        {path("big"), file_read_result::too_large, ""},
        {path("missing"), file_read_result::cannot_open, ""},
        {"", file_read_result::cannot_open, ""},
        {path("folder"), file_read_result::not_regular, ""},
        {path("folder_link"), file_read_result::not_regular, ""},
        {path("pipe"), file_read_result::not_regular, ""},
        {"/dev/zero", file_read_result::not_regular, ""},
        {"/dev/null", file_read_result::not_regular, ""},
    };
    for (const auto& r : rows) {
        std::string contents = "stale";
        EXPECT_EQ(read_regular_file(r.path, contents, 100), r.result) << r.path;
        EXPECT_EQ(contents, r.contents) << r.path;
    }
}

TEST_F(InputFile, AFileLargerThanTheDefaultBoundIsRefusedWithoutReadingIt) {
    // A sparse file: its size is past the bound, its blocks are never written.
    { std::ofstream(path("huge"), std::ios::binary); }
    fs::resize_file(path("huge"), max_input_bytes + 1);
    std::string contents;
    EXPECT_EQ(read_regular_file(path("huge"), contents), file_read_result::too_large);
    EXPECT_TRUE(contents.empty());
}

TEST(ReadBounded, StopsAtTheBound) {
    struct row {
        std::size_t size, bound;
        bool ok;
    };
    const row rows[] = {{0, 10, true},          {10, 10, true},          {11, 10, false},
                        {200000, 200000, true}, {200001, 200000, false}, {70000, 65536, false}};
    for (const auto& r : rows) {
        std::istringstream in(std::string(r.size, 'z'));
        std::string contents;
        EXPECT_EQ(read_bounded(in, contents, r.bound), r.ok) << r.size;
        EXPECT_EQ(contents.size(), r.ok ? r.size : 0u) << r.size;
    }
}

} // namespace
