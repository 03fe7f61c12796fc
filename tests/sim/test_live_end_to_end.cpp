// tessaly-cli read and write against ombra-sim's host side over Modbus/TCP on 127.0.0.1 and
// Modbus RTU on its pseudo-terminal, and against a card that answers badly.

#include "bad_modbus_server.h"
#include "sim_test_support.h"
#include "tests/support/live_card_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sstream>

using namespace sim_test;
using namespace live_card_files;

namespace {

std::string cli() {
    return program("cli/tessaly-cli");
}

// The registers of every format in a Modbus RTU map for node 3.
std::string rtu_map(const std::string& byte_order = "MSBYTE_FIRST") {
    return "WNT Modbus protocol\nPLC_CHAN 38400 RTU 8 EVEN_PARITY 2STOPBITS " + byte_order +
           "\nREGMAX 65535\nNODENUM 3\n" + registers_text;
}

// What read prints for the registers of every format with their values (high byte first).
const char* const expected_read = "40001\tF:1\tCount\t-7\tFFF9\n"
                                  "40002\tF:1\tTotal\t1.5\t8000 0001 0000\n"
                                  "40005\tF:1\tSpeed\t12.3\t007B\n"
                                  "40006\tF:1\tSetpoint\t12.35\t04D3\n"
                                  "40007\tF:0\t\t42\t002A\n"
                                  "40008\tF:1\tMassflow\t100\t0764 0000\n"
                                  "40010\tF:1\tRate\t0.1\tCCCD 3DCC\n"
                                  "40012\tF:1\tBitWrite\t5\t0005\n"
                                  "40013\tF:1\tFeederName\t\"Line A\"\t694C 656E 4120\n"
                                  "40016\tF:1\tLXGType\t\"X\\tY\"\t5809 5900\n"
                                  "40018\tF:1\tAlarmStatus\t4660\t3412\n"
                                  "40019\tF:1\tProcessStatus\t305419896\t1234 5678\n"
                                  "40021\tF:1\tProcStat\t1 2 0\t0001 0002 0000\n"
                                  "40024\tF:0\t\t0000000000000000\t0000\n"
                                  "40025\tF:0\t\t0000000000000001\t0001\n"
                                  "40030\tF:1\tOdd\terror: width does not fit the format\t0000\n";

// The same output with the bytes of every raw word swapped (a map sent LSBYTE_FIRST).
std::string bytes_swapped(const std::string& text) {
    std::string out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        auto tab = line.rfind('\t');
        std::string words = line.substr(tab + 1), swapped;
        for (std::size_t i = 0; i + 4 <= words.size(); i += 5)
            swapped += (swapped.empty() ? "" : " ") + words.substr(i + 2, 2) + words.substr(i, 2);
        out += line.substr(0, tab + 1) + swapped + "\n";
    }
    return out;
}

// ombra-sim holding map (as if sent before), serving its host side as extra asks; the host
// reads map_file, which holds the same map unless a test writes another.
class host_emulator {
  public:
    host_emulator(const temp_dir& dir, const std::string& map, std::vector<std::string> extra,
                  const std::string& values = values_text)
        : log(dir.file("card.log")), map_file(dir.file("map.zrp")) {
        write_file(dir.file("store.zrp"), map);
        write_file(dir.file("values.txt"), values);
        write_file(map_file, map);
        std::vector<std::string> argv = {program("sim/ombra-sim")};
        const auto files = emulator_arguments(dir.path());
        argv.insert(argv.end(), files.begin(), files.end());
        argv.insert(argv.end(), extra.begin(), extra.end());
        process = std::make_unique<child_process>(argv);
        for (std::size_t i = 0; i < 3; ++i) {
            auto line = process->line(i, 10000);
            if (line.rfind("host tcp ", 0) == 0)
                tcp = "127.0.0.1:" + line.substr(9);
            else if (line.rfind("host rtu ", 0) == 0)
                rtu = line.substr(9);
            else if (line.rfind("ready ", 0) == 0) {
                ready = true;
                break;
            }
        }
    }
    // The commands fired so far, after the emulator has written its log out.
    std::vector<std::string> fired() {
        EXPECT_EQ(process->terminate(), 0);
        return fired_commands(read_file(log));
    }

    std::string tcp, rtu, log, map_file;
    bool ready = false;
    std::unique_ptr<child_process> process;
};

} // namespace

TEST(LiveValues, EveryFormatReadOverTcpAndRtuInBothByteOrders) {
    struct row {
        bool tcp;
        const char* byte_order;
    };
    for (auto r :
         {row{true, "MSBYTE_FIRST"}, row{false, "LSBYTE_FIRST"}, row{true, "LSBYTE_FIRST"}}) {
        SCOPED_TRACE(std::string(r.tcp ? "tcp " : "rtu ") + r.byte_order);
        temp_dir dir;
        auto map = r.tcp ? tcp_map(r.byte_order) : rtu_map(r.byte_order);
        host_emulator card(dir, map,
                           {r.tcp ? "--host-tcp" : "--host-rtu", r.tcp ? "0" : dir.file("host")});
        ASSERT_TRUE(card.ready);
        auto read = run(
            {cli(), "read", card.map_file, r.tcp ? "--tcp" : "--rtu", r.tcp ? card.tcp : card.rtu});
        EXPECT_EQ(read.out, std::string(r.byte_order) == "MSBYTE_FIRST"
                                ? std::string(expected_read)
                                : bytes_swapped(expected_read));
        EXPECT_EQ(read.err, "");
        EXPECT_EQ(read.status, 1); // the register whose width does not fit
    }
}

TEST(LiveValues, RtuAnswersTheNodeNumberOnly) {
    temp_dir dir;
    host_emulator card(dir, rtu_map(), {"--host-rtu", dir.file("host")});
    ASSERT_TRUE(card.ready);
    auto other =
        run({cli(), "read", card.map_file, "--rtu", card.rtu, "--unit", "4", "--timeout", "150"});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.out.find("40001\tF:1\tCount\terror: No answer\t\n"), std::string::npos);
    auto own = run({cli(), "read", card.map_file, "--rtu", card.rtu, "--csv"});
    EXPECT_EQ(own.out.substr(0, own.out.find("\r\n40002")),
              "Register,Feeder,Parameter,Value,Raw\r\n40001,1,Count,-7,FFF9");
}

TEST(LiveValues, WritesAreReadBackAndRefusalsSendNothing) {
    temp_dir dir;
    host_emulator card(dir, tcp_map(), {"--host-tcp", "0"});
    ASSERT_TRUE(card.ready);
    const auto& file = card.map_file;
    struct row {
        const char* reg;
        const char* value;
        int status;
        const char* err;
        const char* line_after; // the register's line on the next read
    };
    const row rows[] = {
        {"40001", "-300", 0, "", "40001\tF:1\tCount\t-300\tFED4"},
        {"40002", "-2", 1, "Value out of range: -2 is outside 0 to 4294967296.\n",
         "40002\tF:1\tTotal\t1.5\t8000 0001 0000"},
        {"40005", "150", 1, "Value out of range: 150 is outside 0 to 100.\n",
         "40005\tF:1\tSpeed\t12.3\t007B"},
        {"40005", "99.5", 0, "", "40005\tF:1\tSpeed\t99.5\t03E3"},
        {"40008", "-2.5", 0, "", "40008\tF:1\tMassflow\t-2.5\t02B0 0000"},
        {"40010", "x", 1, "Not a number: x.\n", "40010\tF:1\tRate\t0.1\tCCCD 3DCC"},
        {"40013", "Hi \"you\"", 0, "", "40013\tF:1\tFeederName\t\"Hi \\\"yo\"\t6948 2220 6F79"},
        {"40007", "1", 1, "Register 40007 is read-only.\n", "40007\tF:0\t\t42\t002A"},
        {"40021", "1", 1, "Register 40021 is read-only.\n",
         "40021\tF:1\tProcStat\t1 2 0\t0001 0002 0000"},
        {"40099", "1", 2, "Register 40099 is not in the map.\n", nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.reg) + " <- " + r.value);
        auto written = run({cli(), "write", file, r.reg, r.value, "--tcp", card.tcp});
        EXPECT_EQ(written.status, r.status);
        EXPECT_EQ(written.err, r.err);
        EXPECT_EQ(written.out, "");
        if (!r.line_after)
            continue;
        auto read = run({cli(), "read", file, "--tcp", card.tcp});
        EXPECT_NE(read.out.find(std::string(r.line_after) + "\n"), std::string::npos) << read.out;
    }
}

TEST(LiveValues, CommandBitsFireByTheirTriggerModes) {
    temp_dir dir;
    host_emulator card(dir, tcp_map(), {"--host-tcp", "0"});
    ASSERT_TRUE(card.ready);
    const auto& file = card.map_file;
    for (auto word : {"0x7F", "0x7F", "0"})
        EXPECT_EQ(run({cli(), "write", file, "40024", word, "--tcp", card.tcp}).status, 0);
    auto read = run({cli(), "read", file, "--tcp", card.tcp});
    EXPECT_NE(read.out.find("40024\tF:0\t\t0000000000000000\t0000\n"), std::string::npos);
    // 0 -> 0x7F: high, rising, any edge; 0x7F again: high; 0x7F -> 0: low, falling, any edge.
    EXPECT_EQ(card.fired(),
              (std::vector<std::string>{"F:1 CA01", "F:1 CA03", "F:1 CA05", "F:1 CA01", "F:1 CA02",
                                        "F:1 CA04", "F:1 CA05"}));
}

TEST(LiveValues, TheCardAnswersExceptionsForWhatItDoesNotHold) {
    temp_dir dir;
    // The card holds another map than the one the host reads with: 40001 read-only there,
    // nothing at 40003.
    const std::string card_map = "RDX Modbus/TCP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY "
                                 "1STOPBIT MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\n"
                                 "MBTCP 127.0.0.1 0.0.0.0 0.0.0.0\nHREG\n"
                                 "40001 0 1 10 0 0 F:1 AlarmStatus\n40002 0 1 0 0 0 F:1 Count\n";
    const std::string host_map = "RDX Modbus/TCP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY "
                                 "1STOPBIT MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\n"
                                 "MBTCP 127.0.0.1 0.0.0.0 0.0.0.0\nHREG\n"
                                 "40001 0 1 0 0 0 F:1 Alarm\n40002 0 1 0 0 0 F:1 Count\n"
                                 "40003 0 1 0 0 0 F:1 Gone\n";
    host_emulator card(dir, card_map, {"--host-tcp", "0"}, "F:1 Count 9\n");
    ASSERT_TRUE(card.ready);
    write_file(card.map_file, host_map);
    auto read = run({cli(), "read", card.map_file, "--tcp", card.tcp});
    EXPECT_EQ(read.out, "40001\tF:1\tAlarm\terror: Illegal data address\t\n"
                        "40002\tF:1\tCount\terror: Illegal data address\t\n"
                        "40003\tF:1\tGone\terror: Illegal data address\t\n");
    EXPECT_EQ(read.status, 1);
    auto write = run({cli(), "write", card.map_file, "40001", "5", "--tcp", card.tcp});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.err, "Register 40001: Illegal data address\n");

    temp_dir empty;
    host_emulator blank(empty, "", {"--host-tcp", "0"});
    ASSERT_TRUE(blank.ready);
    auto nothing = run({cli(), "read", card.map_file, "--tcp", blank.tcp});
    EXPECT_NE(nothing.out.find("40002\tF:1\tCount\terror: Illegal data address\t\n"),
              std::string::npos);
    // Once a map is sent to the card, its host side serves it.
    write_file(empty.file("sent.zrp"), card_map);
    EXPECT_EQ(run({cli(), "send", empty.file("sent.zrp"), "--port", empty.file("card")}).status, 0);
    auto served = run({cli(), "read", empty.file("sent.zrp"), "--tcp", blank.tcp});
    EXPECT_EQ(served.out, "40001\tF:1\tAlarmStatus\t4660\t3412\n40002\tF:1\tCount\t-7\tFFF9\n");
    EXPECT_EQ(served.status, 0);
}

TEST(LiveValues, ABadAnswerIsAnErrorForItsRegistersOnly) {
    using fault = bad_modbus_server::fault;
    const std::pair<fault, const char*> rows[] = {
        {fault::wrong_count, "the answer does not match the request"},
        {fault::wrong_function, "the answer does not match the request"},
        {fault::short_frame, "No answer"},
        {fault::garbage, "No answer"},
        {fault::exception, "Server device failure"},
        {fault::odd_bytes, "the answer is not a valid Modbus answer"},
    };
    temp_dir dir;
    // Two requests: the first (address 0) gets the bad answer, the second a good one.
    write_file(dir.file("map.zrp"), "RDX Modbus/TCP protocol\nREGMAX 65535\nNODENUM 0\nHREG\n"
                                    "40001 0 2 0 0 0 F:1 Total\n40004 0 1 0 0 0 F:1 Count\n");
    for (const auto& [f, error] : rows) {
        SCOPED_TRACE(error);
        bad_modbus_server server(f, 0);
        auto read = run({cli(), "read", dir.file("map.zrp"), "--tcp",
                         "127.0.0.1:" + std::to_string(server.port), "--timeout", "300"});
        EXPECT_EQ(read.out, "40001\tF:1\tTotal\terror: " + std::string(error) +
                                "\t\n40004\tF:1\tCount\t4\t0004\n");
        EXPECT_EQ(read.status, 1);
    }
}

TEST(LiveValues, WatchReportsACardThatWentAwayAndReadsAgainWhenItIsBack) {
    temp_dir dir;
    // Without the register whose width does not fit, so that a round can read everything.
    auto map = tcp_map();
    map.erase(map.find("40030 "));
    auto card =
        std::make_unique<host_emulator>(dir, map, std::vector<std::string>{"--host-tcp", "0"});
    ASSERT_TRUE(card->ready);
    auto port = card->tcp.substr(card->tcp.find(':') + 1);
    child_process watch(
        {cli(), "read", card->map_file, "--tcp", card->tcp, "--watch", "0.2", "--csv"});
    EXPECT_NE(watch.line(1, 5000).find(",40001,1,Count,-7,FFF9"), std::string::npos);
    card.reset(); // the card goes away
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    card = std::make_unique<host_emulator>(dir, map, std::vector<std::string>{"--host-tcp", port});
    ASSERT_TRUE(card->ready);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    ::kill(watch.pid(), SIGINT);
    EXPECT_EQ(watch.wait(5000), 0); // the status of the last round, which read everything
    const auto out = watch.out();
    EXPECT_EQ(out.substr(0, out.find("\r\n")), "Time,Register,Feeder,Parameter,Value,Raw");
    EXPECT_NE(watch.err().find("Could not connect to " + card->tcp + ": Connection refused\n"),
              std::string::npos);
    // The reads resumed: the output ends with a whole round read from the card that came back.
    auto last_round = out.substr(out.rfind(",40001,"));
    EXPECT_EQ(last_round.substr(0, 22), ",40001,1,Count,-7,FFF9");
    EXPECT_EQ(std::count(last_round.begin(), last_round.end(), '\n'), 15);
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
}

TEST(LiveValues, ABadValuesFileStopsTheEmulatorNamingTheLine) {
    temp_dir dir;
    write_file(dir.file("values.txt"), "F:1 Count 3\nF:1 Count three\n");
    auto result = run({program("sim/ombra-sim"), "--pty", dir.file("card"), "--host-tcp", "0",
                       "--values", dir.file("values.txt")},
                      {}, 10000);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "ombra-sim: " + dir.file("values.txt") +
                              " line 2: not a number, a quoted string or a list of words: three\n");
    EXPECT_EQ(result.out, "");
}
