// tessaly-cli verify and send --verify against ombra-sim over a real pseudo-terminal.

#include "emulator_process.h"
#include "link/link_messages.h"
#include "link/transfer_messages.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace sim_test;

namespace {

std::string cli() {
    return program("cli/tessaly-cli");
}

const std::string holds = "The card holds this map.\n";
const std::string differs = "The card differs from this map.\n";

} // namespace

TEST(Verify, TheCardHoldsEverySentMap) {
    temp_dir dir;
    emulator card(dir);
    ASSERT_EQ(card.ready, "ready " + card.port);
    auto env = saved_settings(dir, "NONE", "COM1");
    for (const auto& map : maps_of_every_protocol()) {
        SCOPED_TRACE(map.text.substr(0, map.text.find('\n')));
        const std::string file = dir.file("map.zrp");
        write_file(file, map.text);
        // The serial maps hold status bit positions above 31, which the card keeps in a byte
        // but cannot use: verify names each finding again with "! " and does not say the card
        // holds the map, although it holds exactly what it was sent.
        const bool findings = map.text.find("\n40008 ") != std::string::npos;
        auto sent = run({cli(), "send", file, "--port", card.port, "--force", "--verify"}, env);
        EXPECT_EQ(sent.status, findings ? 1 : 0);
        EXPECT_EQ(sent.err, std::string(msg_send_complete) + "\n" + (findings ? differs : holds));
        std::string printed_by_send, printed_by_verify;
        std::istringstream lines(sent.out);
        for (std::string line; std::getline(lines, line);)
            (line.rfind("! ", 0) == 0 ? printed_by_verify : printed_by_send) += line + "\n";
        EXPECT_EQ(printed_by_send.empty(), !findings);
        std::string marked;
        std::istringstream send_lines(printed_by_send);
        for (std::string line; std::getline(send_lines, line);)
            marked += "! " + line + "\n";
        EXPECT_EQ(printed_by_verify, marked);
    }
}

TEST(Verify, DifferencesBetweenTheMapAndTheCard) {
    temp_dir dir;
    emulator card(dir);
    ASSERT_EQ(card.ready, "ready " + card.port);
    auto env = saved_settings(dir, "NONE", "COM1");
    const std::string head = "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
                             "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\nHREG\n";
    const std::string sent = head + "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n"
                                    "40002 0 1 0 0 0 F:0 AVeryLongParameterName\n";
    write_file(dir.file("sent.zrp"), sent);
    ASSERT_EQ(
        run({cli(), "send", dir.file("sent.zrp"), "--port", card.port, "--force"}, env).status, 0);

    struct row {
        std::string map;
        int status;
        std::string out;
    };
    const row rows[] = {
        // The card keeps 19 characters of a name, as the map does once loaded: no difference,
        // yet the card does not hold the name the map says.
        {sent, 1,
         "! 40002: parameter name \"AVeryLongParameterName\" is longer than 19 characters; the "
         "card gets \"AVeryLongParameterN\"\n"},
        {head + "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n40002 0 1 0 0 0 F:0 AVeryLongParameterN\n",
         0, ""},
        {head + "40001 0 1 1 0 0 F:1 Massflow 150 0 1\n40002 0 1 0 0 0 F:0 AVeryLongParameterN\n"
                "40003 0 1 0 0 0 F:0 Setpoint\n",
         1, "~ 40001 Maximum: 150 -> 100\n- 40003 0 1 0 0 0 F:0 Setpoint\n"},
        {"RDX Modbus protocol\nPLC_CHAN 9600 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX "
         "65535\nNODENUM 2\nHREG\n40001 0 1 1 0 0 F:1 Massflow 100 0 1\n",
         1,
         "~ header PLC_CHAN: 9600 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST -> 19200 RTU 8 NOPARITY "
         "1STOPBIT MSBYTE_FIRST\n~ header NODENUM: 2 -> 0\n+ 40002 0 1 0 0 0 F:0 "
         "AVeryLongParameterN\n"},
    };
    for (const auto& r : rows) {
        write_file(dir.file("map.zrp"), r.map);
        auto verified = run({cli(), "verify", dir.file("map.zrp"), "--port", card.port}, env);
        EXPECT_EQ(verified.status, r.status) << r.map;
        EXPECT_EQ(verified.out, r.out) << r.map;
        EXPECT_EQ(verified.err, r.status == 0 ? holds : differs) << r.map;
    }
}

TEST(Verify, AFailedExtractionOrSendIsTrouble) {
    temp_dir dir;
    emulator card(dir); // holds no configuration yet
    ASSERT_EQ(card.ready, "ready " + card.port);
    auto env = saved_settings(dir, "NONE", "COM1");
    const std::string file = dir.file("map.zrp"), unreadable = dir.file("broken.zrp");
    write_file(file, "RDX Modbus protocol\nPLC_CHAN\nREGMAX 1\nNODENUM 0\nHREG\n"
                     "40001 0 1 0 0 0 F:0 Massflow\n");
    write_file(unreadable, "RDX Modbus protocol\nPLC_CHAN\n");
    struct row {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const row rows[] = {
        {{"verify", file, "--port", card.port}, 2, std::string(msg_zrp_not_present) + "\n"},
        {{"verify", file, "--port", dir.file("no-such-port")},
         2,
         std::string(msg_com_open_failed) + "\nNo such file\n"},
        {{"verify", file}, 2, std::string(msg_no_link) + "\n"},
        {{"verify", unreadable, "--port", card.port},
         2,
         "Unable to open the requested file\n" + unreadable + ": no NODENUM line\n"},
        {{"send", file, "--verify"}, 2, std::string(msg_no_link) + "\n"},
        {{"verify", file, "--port", card.port, "--usb"}, 2, ""},
    };
    for (const auto& r : rows) {
        std::vector<std::string> argv = {cli()};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        SCOPED_TRACE(testing::PrintToString(r.args));
        auto result = run(argv, env);
        EXPECT_EQ(result.status, r.status);
        EXPECT_EQ(result.out, "");
        if (!r.err.empty()) {
            EXPECT_EQ(result.err, r.err);
        }
    }
}
