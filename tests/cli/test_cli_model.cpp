// tessaly-cli format, decode and encode, run as a separate program in a scratch folder.

#include "tests/cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string head = "RDX Modbus protocol\n"
                         "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                         "REGMAX 65535\nNODENUM 0\nHREG\n";

class CliModel : public cli_fixture {};

TEST_F(CliModel, FormatWritesTheMapAsSaveDoes) {
    write("map.zrp",
          "RDX Modbus protocol\r\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\r\n"
          "REGMAX 65535\r\nNODENUM 0\r\nHREG\r\n"
          "40003 0 1 0 0 0 F:0 Massflow\r\n"
          "40001 0 2 1 0 0 F:1 FdrPercentOfLine 100.0 0 1\r\n"
          "40002 0 1 0 0 0 F:0 Clash\r\n");
    const std::string listed = "40003 0 1 0 0 0 F:0 Massflow\n"
                               "40001 0 2 1 0 0 F:1 FdrPercentOfLine 100 0 1\n";
    const std::string conflict =
        "Conflicting Register Ignored\nRegister Num: 40002\nParameter: Clash\n";

    result plain = run("format map.zrp");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, head + listed);
    EXPECT_EQ(plain.err, conflict);

    result sorted = run("format map.zrp --sort -o out.zrp");
    EXPECT_EQ(sorted.status, 0);
    EXPECT_EQ(sorted.out, "");
    EXPECT_EQ(sorted.err, conflict);
    EXPECT_EQ(read_work("out.zrp"), head + "40001 0 2 1 0 0 F:1 FdrPercentOfLine 100 0 1\n"
                                           "40003 0 1 0 0 0 F:0 Massflow\n");
}

// A load that fails says which file and why, on the line after the message.
TEST_F(CliModel, FormatReportsMapsThatDoNotLoad) {
    write("cut.zrp", "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n");
    write("tcp.zrp", "RDX Modbus/TCP protocol\nPLC_CHAN\nREGMAX 1\nNODENUM 0\n40001 0 1 0 0 0\n");
    write("image.zrp", std::string("\0\x1f\x8bNODENUM\n", 12));
    write("locked.zrp", head);
    fs::permissions(dir_ / "work" / "locked.zrp", fs::perms::none);
    const struct {
        const char* file;
        const char* reason;
    } rows[] = {
        {"cut.zrp", "no NODENUM line"},      {"tcp.zrp", "no HREG line"},
        {"image.zrp", "not text"},           {"missing.zrp", "no such file"},
        {"locked.zrp", "permission denied"},
    };
    for (const auto& r : rows) {
        if (std::string(r.file) == "locked.zrp" && geteuid() == 0)
            continue; // root reads it anyway
        result got = run(std::string("format ") + r.file + " -o never.zrp");
        EXPECT_EQ(got.status, 1) << r.file;
        EXPECT_EQ(got.err, std::string("Unable to open the requested file\n") + r.file + ": " +
                               r.reason + "\n");
        EXPECT_FALSE(fs::exists(dir_ / "work" / "never.zrp"));
    }
    EXPECT_EQ(run("format").status, 2);
    EXPECT_EQ(run("format a b c").status, 2);
}

// Whatever is not a readable regular file within the input bound ends quickly in the
// command's failure message: a folder, a device that never ends, a pipe nobody writes to.
TEST_F(CliModel, OnlyRegularFilesAreRead) {
    fs::create_directories(dir_ / "work" / "folder");
    ASSERT_EQ(mkfifo((dir_ / "work" / "pipe").c_str(), 0600), 0);
    { std::ofstream(dir_ / "work" / "huge.zrp"); }
    fs::resize_file(dir_ / "work" / "huge.zrp", (std::uintmax_t{256} << 20) + 1);
    const std::string device = "not a regular file (a device, a pipe or a socket)";
    const std::pair<std::string, std::string> files[] = {
        {"folder", "a folder, not a file"},
        {"/dev/zero", device},
        {"/dev/null", device},
        {"pipe", device},
        {"huge.zrp", "larger than 256 MiB"},
    };
    for (const auto& [file, reason] : files) {
        for (const std::string& command : {"format " + file, "decode " + file + " --device RDX",
                                           "encode " + file + " -o x.img"}) {
            expect_refusal(
                {command, 1, "Unable to open the requested file\n" + file + ": " + reason + "\n"},
                20);
        }
    }
    EXPECT_FALSE(fs::exists(dir_ / "work" / "x.img"));
}

// The sample map with a letter O in a register number: every command that reads the map names
// the lines it had to guess at, and keeps its exit status.
TEST_F(CliModel, CommandsNameTheLinesNotReadAsWritten) {
    std::ifstream plant(TESSALY_TEST_DATA "/plant.zrp", std::ios::binary);
    std::string map((std::istreambuf_iterator<char>(plant)), std::istreambuf_iterator<char>());
    const std::size_t at = map.find("\n41025 0 1 3");
    ASSERT_NE(at, std::string::npos);
    map[at + 3] = 'O';
    write("o.zrp", map);
    const std::string said = "Line 11 was not read as written: \"41O25 0 1 3 0 0 F:0\"\n";
    const std::pair<std::string, int> commands[] = {
        {"format o.zrp -o out.zrp", 0},
        {"export-csv o.zrp -o out.csv", 0},
        {"encode o.zrp -o out.img", 0},
        {"diff o.zrp o.zrp", 0},
        {"check o.zrp --catalogue " TESSALY_SOURCE_DIR "/resources/params.lst", 1},
    };
    for (const auto& [command, status] : commands) {
        result r = run(command);
        EXPECT_EQ(r.status, status) << command;
        EXPECT_NE(r.err.find(said), std::string::npos) << command << r.err;
        EXPECT_NE(r.err.find("Line 14 was not read as written: \"OFF OFF"), std::string::npos)
            << command;
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define TESSALY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSALY_ASAN 1
#endif
#endif

// A map too large for the memory at hand is a message and exit 1, with nothing written: not
// an abort.
TEST_F(CliModel, RunningOutOfMemoryIsAMessage) {
#ifdef TESSALY_ASAN
    GTEST_SKIP() << "the address sanitizer takes more address space than the limit leaves";
#endif
    std::string text = head;
    for (int i = 0; i < 500000; ++i)
        text += std::to_string(40001 + i) + " 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1\n";
    write("big.zrp", text);
    const std::string work = (dir_ / "work").string();
    const std::string command =
        "cd '" + work + "' && ulimit -v 150000 && '" TESSALY_CLI "' format big.zrp -o x.zrp 2>err";
    const int rc = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(rc));
    EXPECT_EQ(WEXITSTATUS(rc), 1);
    EXPECT_EQ(read_work("err"), "Not enough memory to open the requested file\n"
                                "big.zrp: not enough memory\n");
    EXPECT_FALSE(fs::exists(dir_ / "work" / "x.zrp"));
}

// A number is one field however many characters it has: the fields after it stay in place.
TEST_F(CliModel, LongNumbersDoNotShiftTheFieldsAfterThem) {
    const std::string zeros(70, '0');
    write("map.zrp", head + "0x" + zeros + "9C41 0 1 1 0 0 F:" + zeros +
                         "12 Setpoint 250.5 -1 2\n" + "40002 0 1 1 0 0 F:0 Massflow " + zeros +
                         "250.5 -" + zeros + "1 " + zeros + "2\n");
    result r = run("format map.zrp");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, head + "40001 0 1 1 0 0 F:12 Setpoint 250.5 -1 2\n" +
                         "40002 0 1 1 0 0 F:0 Massflow 250.5 -1 2\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CliModel, EncodeThenDecodeGivesTheMapBack) {
    const std::string map =
        "HQP Modbus/TCP protocol\n"
        "PLC_CHAN 38400 RTU 8 EVEN_PARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 65535\nNODENUM 1\n"
        "MBTCP 10.1.2.3 255.255.0.0 10.1.0.1\nHREG\n"
        "40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1\n"
        "41025 0 1 3 0 0 F:0\n"
        "F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 F:1 \n"
        "CTAR CPAS XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CSTC \n"
        "HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT HIT \n"
        "40002 0 2 0 0 2 F:0 Totals\n";
    write("map.zrp", map);
    result enc = run("encode map.zrp -o map.img");
    EXPECT_EQ(enc.status, 0) << enc.err;
    EXPECT_EQ(enc.out + enc.err, "");
    result dec = run("decode map.img --device HQP");
    EXPECT_EQ(dec.status, 0) << dec.err;
    EXPECT_EQ(dec.out, map);
    EXPECT_EQ(dec.err, "");

    // Encoding for another device changes where the whole count goes, and decoding follows it.
    EXPECT_EQ(run("encode map.zrp --device RDX -o rdx.img").status, 0);
    result rdx = run("decode rdx.img --device RDX -o back.zrp");
    EXPECT_EQ(rdx.status, 0);
    EXPECT_EQ(read_work("back.zrp"), "RDX" + map.substr(3));

    EXPECT_EQ(run("encode map.zrp").status, 2); // -o is required
    EXPECT_EQ(run("encode map.zrp --device XYZ -o x.img").status, 2);
}

TEST_F(CliModel, EncodeRefusesMapsThatDoNotFit) {
    write("long.zrp", head + "40001 0 1 0 0 0 F:99 Massflow\n");
    std::string many = head;
    for (int i = 0; i < 1500; ++i)
        many += std::to_string(40001 + i) + " 0 1 0 0 0 F:0 Massflow\n";
    write("many.zrp", many);
    const std::pair<std::string, std::string> rows[] = {
        {"long.zrp", "feeder"},
        // decode would refuse the image: encode refuses the map.
        {"many.zrp", "The map does not fit a device image: 1500 registers, more than the 655 "
                     "records an image holds\n"},
    };
    for (const auto& [file, said] : rows) {
        result r = run("encode " + file + " -o out.img");
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir_ / "work" / "out.img"));
    }
}

// Outputs that are no regular files are written as they are; an empty port name is bad usage.
TEST_F(CliModel, SmallFaultsOfUsageAndOutput) {
    write("map.zrp", head + "40001 0 1 0 0 0 F:1 Massflow\n");
    const struct {
        std::string args;
        int status;
    } rows[] = {
        {"format map.zrp -o /dev/null", 0},
        {"export-csv map.zrp -o /dev/null", 0},
        {"encode map.zrp -o /dev/null", 0},
        {"format map.zrp -o .", 1},
        {"send map.zrp --port ''", 2},
        {"extract RDX --port ''", 2},
        {"errors --port ''", 2},
        {"verify map.zrp --port ''", 2},
    };
    for (const auto& r : rows) {
        result got = run(r.args, 10);
        EXPECT_EQ(got.status, r.status) << r.args << got.err;
    }
}

TEST_F(CliModel, DecodeAppliesTheExtractionChecks) {
    auto image = [](unsigned total, unsigned records, std::size_t bytes) {
        std::string img(bytes, '\0');
        if (bytes >= 2) {
            img[0] = static_cast<char>((total - 1) >> 8);
            img[1] = static_cast<char>(total - 1);
        }
        if (bytes >= 32) {
            img[5] = 1; // Modbus
            img[30] = static_cast<char>(records >> 8);
            img[31] = static_cast<char>(records);
        }
        return img;
    };
    struct row {
        std::string bytes;
        int status;
        std::string err;
    };
    const row rows[] = {
        {image(32 + 26, 1, 20), 1, "Communication error, file not extracted.\n"},
        {image(32, 0, 160), 1, "ZRP File Not Present or Corrupted\n"},
        {image(32 + 1000, 10, 160 + 1000), 1,
         "Bad zrp data!\nFile size (1000 bytes) is greater than size for max. Number of Records "
         "(10 * 98 bytes).\nFile not extracted!\n"},
        {image(32 + 26, 2, 160 + 26), 1,
         "Bad zrp data!\nFile size (26 bytes) is less than size for min. Number of Records (2 * "
         "26 bytes).\nFile not extracted!\n"},
        {image(32 + 26, 1, 160 + 25), 1, "Communication error, file not extracted.\n"},
        // A record of zeros is a valid pass-through register 0 without a name.
        {image(32 + 26, 1, 160 + 26 + 100), 0, ""},
    };
    for (const auto& r : rows) {
        write("img.bin", r.bytes);
        result res = run("decode img.bin --device BLF");
        EXPECT_EQ(res.status, r.status) << r.err;
        EXPECT_EQ(res.err, r.err);
        if (r.status == 0) {
            EXPECT_EQ(res.out, "BLF Modbus protocol\nPLC_CHAN 9600 RTU 0 NOPARITY 1STOPBIT "
                               "LSBYTE_FIRST\nREGMAX 0\nNODENUM 0\nHREG\n0 0 0 0 0 0 F:0 \n");
        }
    }
    EXPECT_EQ(run("decode img.bin").status, 2);
    EXPECT_EQ(run("decode missing.bin --device RDX").status, 1);
}

} // namespace
