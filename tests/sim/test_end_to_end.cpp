// tessaly-cli against ombra-sim over a real pseudo-terminal, both run as programs.

#include "emulator_process.h"
#include "link/link_messages.h"
#include "link/send_check.h"
#include "link/transfer_messages.h"
#include "sim_test_support.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace sim_test;

namespace {

std::string cli() {
    return program("cli/tessaly-cli");
}

struct timed_frame {
    long ms;
    std::string payload;
};

std::vector<timed_frame> received_frames(const std::string& transcript) {
    std::vector<timed_frame> out;
    std::istringstream lines(transcript);
    std::string line;
    auto payloads = received_payloads(transcript);
    std::size_t i = 0;
    while (std::getline(lines, line))
        if (line.find(" rx ") != std::string::npos)
            out.push_back({std::stol(line), payloads[i++]});
    return out;
}

} // namespace

TEST(EndToEnd, EveryProtocolSentAndExtractedBack) {
    temp_dir dir;
    emulator card(dir);
    ASSERT_EQ(card.ready, "ready " + card.port);
    auto env = saved_settings(dir, "NONE", "COM1"); // the options must win over these
    for (const auto& map : maps_of_every_protocol()) {
        SCOPED_TRACE(map.text.substr(0, map.text.find('\n')));
        std::string file = dir.file("map.zrp"), out = dir.file("out.zrp");
        write_file(file, map.text);
        // The maps carry status bit positions above 31 on purpose (the image keeps a byte):
        // the check finds them, so the send needs --force.
        auto sent = run({cli(), "send", file, "--port", card.port, "--force"}, env);
        EXPECT_EQ(sent.status, 0);
        EXPECT_EQ(sent.err, "File send complete!\n");
        std::istringstream findings(sent.out);
        for (std::string line; std::getline(findings, line);)
            EXPECT_EQ(line.substr(0, 11), "40008: Bit ") << line;
        EXPECT_EQ(read_file(card.store), map.text);

        auto extracted = run({cli(), "extract", "RDX", "--port", card.port, "-o", out}, env);
        EXPECT_EQ(extracted.status, 0) << extracted.err;
        EXPECT_EQ(extracted.out, "");
        EXPECT_EQ(read_file(out), normalised(map.text));
    }
    auto to_stdout = run({cli(), "extract", "RDX", "--port", card.port}, env);
    EXPECT_EQ(to_stdout.status, 0);
    EXPECT_EQ(to_stdout.out, normalised(maps_of_every_protocol().back().text));

    auto errors = run({cli(), "errors", "--port", card.port}, env);
    EXPECT_EQ(errors.status, 0);
    EXPECT_EQ(errors.out, "Register 40003: parameter unknown\nREGMAX too low\n");
    EXPECT_EQ(errors.err, "");
}

TEST(EndToEnd, TranscriptShowsTheFilteredLinesThePauseAndEnd) {
    temp_dir dir;
    emulator card(dir);
    ASSERT_EQ(card.ready, "ready " + card.port);
    std::string file = dir.file("map.zrp");
    write_file(file, "RDX Modbus protocol\nnot for the card\n"
                     "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                     "REGMAX 100\nNODENUM 1\nHREG\n\n40001 0 1 0 0 0 F:0 Massflow\n");
    // The saved settings choose the link when no option is given.
    auto sent = run({cli(), "send", file}, saved_settings(dir, "COM", card.port));
    EXPECT_EQ(sent.status, 0) << sent.err;

    auto frames = received_frames(card.transcript());
    std::vector<std::string> payloads;
    for (const auto& f : frames)
        payloads.push_back(f.payload);
    EXPECT_EQ(payloads,
              (std::vector<std::string>{
                  "RDX Modbus protocol", "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST",
                  "REGMAX 100", "NODENUM 1", "HREG", "40001 0 1 0 0 0 F:0 Massflow", "END"}));
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_GE(frames[5].ms - frames[4].ms, 990); // the pause before the first register
    EXPECT_LT(frames[4].ms - frames[0].ms, 900); // and no other
    EXPECT_NE(read_file(card.log).find(" tx 06"), std::string::npos);
}

TEST(EndToEnd, FailuresEndInTheirMessages) {
    temp_dir dir;
    emulator card(dir, {"--refuse", "3:12"});
    ASSERT_EQ(card.ready, "ready " + card.port);
    std::string file = dir.file("map.zrp"), long_file = dir.file("long.zrp");
    write_file(file, "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n");
    write_file(long_file, "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n" +
                              std::string(250, '4') + "\n");
    auto env = saved_settings(dir, "NONE", "COM1");
    struct row {
        std::vector<std::string> args;
        std::vector<std::string> env;
        int status;
        std::string err;
    };
    const row rows[] = {
        {{"send", file, "--port", card.port},
         env,
         1,
         std::string(msg_line_not_acknowledged) + "\n" + msg_partial_map + "\n"},
        {{"send", long_file, "--port", card.port},
         env,
         1,
         line_too_long_message(6, std::string(250, '4')) + "\n"},
        {{"send", file}, env, 1, std::string(msg_no_link) + "\n"},
        {{"extract", "WNT"}, env, 1, std::string(msg_no_link) + "\n"},
        {{"errors"}, env, 1, std::string(msg_no_link) + "\n"},
        {{"send", file, "--usb"}, env, 1, std::string(msg_usb_not_available) + "\n"},
        {{"errors", "--usb"}, env, 1, std::string(msg_usb_not_available) + "\n"},
        {{"send", dir.file("missing.zrp"), "--port", card.port},
         env,
         1,
         std::string(msg_file_not_opened) + "\n" + dir.file("missing.zrp") + ": no such file\n"},
        {{"send", file, "--port", dir.file("no-such-port")},
         env,
         1,
         std::string(msg_com_open_failed) + "\nNo such file\n"},
        {{"send", file, "--port", card.port, "--usb"}, env, 2, ""},
        {{"extract", "rdx", "--port", card.port}, env, 2, ""},
    };
    for (const auto& r : rows) {
        std::vector<std::string> argv = {cli()};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        SCOPED_TRACE(testing::PrintToString(r.args));
        auto result = run(argv, r.env);
        EXPECT_EQ(result.status, r.status);
        if (r.status != 2) {
            EXPECT_EQ(result.err, r.err);
        }
    }
    // The refused line was transmitted exactly 12 times; the over-long map sent nothing.
    auto transcript = card.transcript();
    EXPECT_EQ(times_received(transcript, "REGMAX 1"), 12);
    EXPECT_EQ(received_payloads(transcript).size(), 14u);
}

// A map the card would not get as it stands is refused unless --force; either way its
// findings are printed as check prints them.
TEST(EndToEnd, SendRefusesAMapWithFindingsUnlessForced) {
    temp_dir dir;
    emulator card(dir);
    ASSERT_EQ(card.ready, "ready " + card.port);
    auto env = saved_settings(dir, "NONE", "COM1");
    const std::string file = dir.file("map.zrp");
    write_file(file, "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
                     "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\nHREG\n40003 0 1 3 0 0 F:0\n"
                     "F:1 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0\n"
                     "XXXX ZZZZ XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX "
                     "XXXX XXXX\n"
                     "OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF\n");
    const std::string finding = "40003: Bit 14: command mnemonic \"ZZZZ\" is not \"XXXX\" or "
                                "\"C\" and three characters; the card gets \"CZZZ\"\n";
    auto refused = run({cli(), "send", file, "--port", card.port}, env);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, finding);
    EXPECT_EQ(refused.err, std::string(msg_send_refused) + "\n");

    auto forced = run({cli(), "send", file, "--port", card.port, "--force"}, env);
    EXPECT_EQ(forced.status, 0);
    EXPECT_EQ(forced.out, finding);
    EXPECT_EQ(forced.err, std::string(msg_send_complete) + "\n");
    EXPECT_NE(read_file(card.store).find("XXXX ZZZZ XXXX"), std::string::npos);

    // The card holds what it was sent, which is not what the map says.
    auto verified = run({cli(), "verify", file, "--port", card.port}, env);
    EXPECT_EQ(verified.status, 1);
    EXPECT_EQ(verified.out, "! " + finding);
    EXPECT_EQ(verified.err, "The card differs from this map.\n");
    // The refused send gave the card nothing, not even the device line: the first frame it
    // got is the forced send's.
    const auto payloads = received_payloads(card.transcript());
    EXPECT_EQ(std::count(payloads.begin(), payloads.end(), "RDX Modbus protocol"), 1);
}

// Ctrl+C while tessaly-cli waits for a silent card (ten seconds a transmission): the send
// stops at once, as the editor's Cancel does, with its message and status 1.
TEST(EndToEnd, InterruptCancelsASendToASilentCard) {
    temp_dir dir;
    emulator card(dir, {"--dead-after", "2"});
    ASSERT_EQ(card.ready, "ready " + card.port);
    const std::string file = dir.file("map.zrp");
    write_file(file, "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
                     "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\nHREG\n");
    child_process send({cli(), "send", file, "--port", card.port},
                       saved_settings(dir, "NONE", "COM1"));
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const auto interrupted = std::chrono::steady_clock::now();
    EXPECT_EQ(send.terminate(SIGINT), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(1));
    EXPECT_EQ(send.err(), std::string(msg_send_cancelled) + "\n");
    EXPECT_EQ(times_received(card.transcript(), "REGMAX 65535"), 1);
}

// "COM1" is the first serial device, /dev/ttyS0. To reach the emulator there without
// touching the machine's own port, the emulator's terminal is bound over /dev/ttyS0 in a
// mount namespace of the test's own (root only; elsewhere the test is skipped).
TEST(EndToEnd, Com1OpensTheFirstSerialDevice) {
    const std::string unshare = "/usr/bin/unshare";
    const std::vector<std::string> private_mounts = {unshare, "--mount", "--propagation",
                                                     "private"};
    auto in_namespace = [&](const std::string& script, const std::vector<std::string>& env) {
        std::vector<std::string> argv = private_mounts;
        argv.insert(argv.end(), {"/bin/sh", "-c", script});
        return run(argv, env);
    };
    if (geteuid() != 0 || !std::filesystem::exists(unshare) ||
        !std::filesystem::exists("/dev/ttyS0") || in_namespace("true", {}).status != 0)
        GTEST_SKIP() << "needs root, unshare(1), /dev/ttyS0 and mount namespaces";
    temp_dir dir;
    emulator card(dir);
    ASSERT_EQ(card.ready, "ready " + card.port);
    const std::string map = "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n";
    const std::string file = dir.file("map.zrp");
    write_file(file, map);
    const std::string terminal = std::filesystem::canonical(card.port).string();
    const auto env = saved_settings(dir, "COM", "COM1");
    auto send_to = [&](const std::string& port) {
        return in_namespace("mount --bind '" + terminal + "' /dev/ttyS0 && exec '" + cli() +
                                "' send '" + file + "' --port " + port,
                            env);
    };
    for (const char* port : {"COM1", "com1"}) {
        SCOPED_TRACE(port);
        auto sent = send_to(port);
        EXPECT_EQ(sent.status, 0) << sent.err;
        EXPECT_EQ(sent.err, "File send complete!\n");
        EXPECT_EQ(read_file(card.store), map);
        std::filesystem::remove(card.store);
    }
    // COM2 is /dev/ttyS1, which is not the emulator (nor, here, any port at all).
    auto other = in_namespace("if [ -e /dev/ttyS1 ]; then mount --bind /dev/null /dev/ttyS1; fi; "
                              "exec '" +
                                  cli() + "' send '" + file + "' --port COM2",
                              env);
    EXPECT_EQ(other.status, 1);
    // The message, and the system's reason on the line after it.
    EXPECT_EQ(other.err.rfind(std::string(msg_com_open_failed) + "\n", 0), 0u) << other.err;
    EXPECT_EQ(std::count(other.err.begin(), other.err.end(), '\n'), 2);
}

// Bytes that are not the card's answer end the exchange in its message, and a folder is no
// map to send: nothing reaches the card.
TEST(EndToEnd, StrayBytesAndFoldersEndInTheirMessages) {
    const std::string rdx = "RDX Modbus protocol\n"
                            "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                            "REGMAX 100\nNODENUM 1\nHREG\n"
                            "40001 0 1 0 0 0 F:0 Massflow\n"
                            "40002 0 1 1 0 0 F:0 Setpoint 100 0 1\n";
    const std::string tcp = "RDX Modbus/TCP protocol\n"
                            "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                            "REGMAX 100\nNODENUM 1\nMBTCP 10.1.2.3 255.255.0.0 10.1.0.1\nHREG\n"
                            "40001 0 1 0 0 0 F:0 Massflow\n";
    struct row {
        const char* what;
        std::vector<std::string> faults;
        std::string map; // sent first when not empty
        std::vector<std::string> args;
        std::string err;
    };
    const row rows[] = {
        {"a folder sent",
         {},
         "",
         {"send", "FOLDER"},
         std::string(msg_file_not_opened) + "\nFOLDER: a folder, not a file\n"},
        {"a stray byte before a block",
         {"--garbage", "4:1"},
         rdx,
         {"extract", "RDX"},
         std::string(msg_not_extracted) + "\n"},
        {"a stray byte in the error list",
         {"--garbage", "3:1"},
         "",
         {"errors"},
         std::string(msg_not_extracted) + "\n"},
        {"an information block cut short",
         {"--short", "2:10"},
         tcp,
         {"extract", "RDX"},
         std::string(msg_not_extracted) + "\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        temp_dir dir;
        emulator card(dir, r.faults);
        ASSERT_EQ(card.ready, "ready " + card.port);
        if (!r.map.empty()) {
            write_file(dir.file("map.zrp"), r.map);
            ASSERT_EQ(run({cli(), "send", dir.file("map.zrp"), "--port", card.port}, {}).status, 0);
        }
        std::vector<std::string> argv = {cli()};
        for (const auto& a : r.args)
            argv.push_back(a == "FOLDER" ? dir.path() : a);
        argv.insert(argv.end(), {"--port", card.port});
        auto result = run(argv, {});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        std::string err = r.err;
        if (const auto at = err.find("FOLDER"); at != std::string::npos)
            err.replace(at, 6, dir.path());
        EXPECT_EQ(result.err, err);
        const std::string transcript = card.transcript();
        if (r.args.front() == "send") {
            EXPECT_EQ(transcript, "");
            EXPECT_FALSE(std::filesystem::exists(card.store));
        }
    }
}

// The card holds a map; a file with a broken PLC_CHAN keyword sent after it is refused before
// the port is opened, and the card keeps what it had.
TEST(EndToEnd, AFileThatIsNoMapLeavesTheCardUntouched) {
    temp_dir dir;
    emulator card(dir, {});
    ASSERT_EQ(card.ready, "ready " + card.port);
    std::ifstream plant(TESSALY_TEST_DATA "/plant.zrp", std::ios::binary);
    std::string map((std::istreambuf_iterator<char>(plant)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(map.empty());
    write_file(dir.file("plant.zrp"), map);
    ASSERT_EQ(run({cli(), "send", dir.file("plant.zrp"), "--port", card.port}, {}).status, 0);
    const std::string stored = read_file(card.store);
    const std::string transcript = card.transcript();

    map.replace(map.find("PLC_CHAN"), 8, "PLC-CHAN");
    write_file(dir.file("t.zrp"), map);
    auto sent = run({cli(), "send", dir.file("t.zrp"), "--port", card.port}, {});
    EXPECT_EQ(sent.status, 1);
    EXPECT_EQ(sent.err,
              std::string(msg_map_not_loaded) + "\n" + dir.file("t.zrp") + ": no PLC_CHAN line\n");
    EXPECT_EQ(card.transcript(), transcript);
    EXPECT_EQ(read_file(card.store), stored);
}
