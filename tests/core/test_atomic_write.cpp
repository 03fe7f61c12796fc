#include "core/atomic_write.h"
#include "core/big_endian.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

// A device or a pipe is written to as it is; only a folder is refused.
TEST(AtomicWrite, TargetsThatAreNoRegularFilesAreWrittenDirectly) {
    EXPECT_TRUE(atomic_write_file("/dev/null", "gone\n"));
    temp_dir dir;
    const auto pipe = dir.path / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] { got = slurp(pipe); });
    EXPECT_TRUE(atomic_write_file(pipe.string(), "through the pipe\n"));
    reader.join();
    EXPECT_EQ(got, "through the pipe\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, WritesTheFileASymbolicLinkPointsTo) {
    temp_dir dir;
    fs::create_directories(dir.path / "real");
    const auto real = dir.path / "real" / "map.zrp";
    ASSERT_TRUE(atomic_write_file(real.string(), "old\n"));
    struct case_t {
        const char* link;
        fs::path target; // as the link holds it
    };
    const case_t cases[] = {
        {"absolute.zrp", real},
        {"relative.zrp", fs::path("real") / "map.zrp"},
        {"chain.zrp", "absolute.zrp"},
    };
    for (const case_t& c : cases) {
        const auto link = dir.path / c.link;
        fs::create_symlink(c.target, link);
        ASSERT_TRUE(atomic_write_file(link.string(), std::string("via ") + c.link)) << c.link;
        EXPECT_TRUE(fs::is_symlink(link)) << c.link;
        EXPECT_EQ(slurp(real), std::string("via ") + c.link) << c.link;
    }
    // A dangling link makes the file it points to; a loop of links is refused.
    fs::create_symlink(dir.path / "real" / "new.zrp", dir.path / "dangling.zrp");
    ASSERT_TRUE(atomic_write_file((dir.path / "dangling.zrp").string(), "new\n"));
    EXPECT_EQ(slurp(dir.path / "real" / "new.zrp"), "new\n");
    fs::create_symlink(dir.path / "loop-b", dir.path / "loop-a");
    fs::create_symlink(dir.path / "loop-a", dir.path / "loop-b");
    std::string why;
    EXPECT_FALSE(atomic_write_file((dir.path / "loop-a").string(), "x", &why));
    EXPECT_FALSE(why.empty());
}

// A writable file in a folder that takes no new file is rewritten in place. The folder's
// protection holds for an ordinary user only, so as root the write runs as "nobody".
TEST(AtomicWrite, WritableFileInAClosedFolderIsWrittenInPlace) {
    temp_dir dir;
    const auto folder = dir.path / "closed";
    fs::create_directories(folder);
    const auto target = folder / "map.zrp";
    ASSERT_TRUE(atomic_write_file(target.string(), "old\n"));
    fs::permissions(target, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                               fs::perms::others_exec));
    fs::permissions(dir.path, fs::perms::owner_all | fs::perms::group_exec |
                                  fs::perms::others_exec | fs::perms::others_read);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    auto write = [&] { return atomic_write_file(target.string(), "new\n"); };
    bool written = false;
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(write() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << "could not become nobody";
        written = WEXITSTATUS(status) == 0;
    } else {
        written = write();
    }
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_TRUE(written);
    EXPECT_EQ(slurp(target), "new\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
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
