#include "core/atomic_write.h"
#include "core/big_endian.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct temp_dir {
    fs::path path;
    temp_dir() {
        path = fs::temp_directory_path() / ("tessaly-aw-" + std::to_string(::getpid()) + "-" +
                                            std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(path);
    }
    ~temp_dir() { fs::remove_all(path); }
};
} // namespace

TEST(AtomicWrite, ReplacesContentsAndLeavesNoTemporaryFiles) {
    temp_dir dir;
    auto target = dir.path / "map.zrp";
    ASSERT_TRUE(atomic_write_file(target.string(), "first\n"));
    ASSERT_TRUE(atomic_write_file(target.string(), "second\n"));
    EXPECT_EQ(slurp(target), "second\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, FailuresKeepThePreviousFileAndSayWhy) {
    temp_dir dir;
    auto target = dir.path / "map.zrp";
    ASSERT_TRUE(atomic_write_file(target.string(), "good\n"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    std::string why;
    EXPECT_FALSE(atomic_write_file(target.string(), "bad\n", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(slurp(target), "good\n");

    EXPECT_FALSE(atomic_write_file((dir.path / "missing" / "x.zrp").string(), "x", &why));
    EXPECT_FALSE(atomic_write_file(dir.path.string(), "x", &why)); // a folder
}

TEST(ByteReader, NeverReadsPastTheEnd) {
    const std::uint8_t data[] = {0x12, 0x34, 0x56, 0x78, 0x9a};
    byte_reader r(data);
    std::uint32_t v32 = 0;
    std::uint16_t v16 = 0;
    EXPECT_TRUE(r.u32(v32));
    EXPECT_EQ(v32, 0x12345678u);
    EXPECT_FALSE(r.u16(v16));
    EXPECT_EQ(r.position(), 4u);
    std::uint8_t v8 = 0;
    EXPECT_TRUE(r.u8(v8));
    EXPECT_FALSE(r.u8(v8));
    EXPECT_FALSE(r.skip(1));
}

TEST(ByteWriter, TextSlotsAlwaysKeepATerminatingZero) {
    byte_writer w;
    w.text_slot("PROFINET_IO_TOO_LONG", 8);
    ASSERT_EQ(w.data().size(), 8u);
    EXPECT_EQ(w.data()[7], 0);
    EXPECT_EQ(slot_text(w.data()), "PROFINE");
    const std::uint8_t unterminated[] = {'A', 'B'};
    EXPECT_EQ(slot_text(unterminated), "AB");
}
