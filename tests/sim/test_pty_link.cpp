// The COM link over a real pseudo-terminal with the card served in a thread of the test:
// round trip, the fault matrix with short time-outs, and the port free after every ending.

#include "link/extract.h"
#include "link/link_messages.h"
#include "link/platform/termios_serial_port.h"
#include "link/send_text.h"
#include "link/transfer_messages.h"
#include "sim_test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

using namespace sim_test;

namespace {

const std::string small_map = "RDX Modbus protocol\n"
                              "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                              "REGMAX 100\nNODENUM 1\nHREG\n"
                              "40001 0 1 0 0 0 F:0 Massflow\n"
                              "40002 0 1 3 0 0 F:0\n"
                              "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0\n"
                              "CTAR XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX "
                              "XXXX XXXX XXXX\n"
                              "HIT LOT LOT LOT LOT LOT LOT LOT LOT LOT LOT LOT LOT LOT LOT LOT\n";

bool send(pty_card& c, const std::string& text) {
    std::istringstream in(text);
    return send_text(c.link, in);
}

// The port can be opened exclusively again: the transfer released it.
bool port_is_free(const std::string& port) {
    termios_serial_port probe;
    bool free = probe.open(port);
    probe.close();
    return free;
}

} // namespace

TEST(PtyLink, SendAndExtractOverThePseudoTerminal) {
    pty_card c;
    ASSERT_TRUE(send(c, small_map));
    auto map = extract_configuration(c.link, 1, fast_timeout_ms);
    ASSERT_TRUE(map) << testing::PrintToString(c.ui.texts());
    EXPECT_EQ(text_of(*map), normalised(small_map));
    EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_send_complete});
    EXPECT_TRUE(port_is_free(c.port()));
}

TEST(PtyLink, FaultMatrix) {
    enum what { sending, extracting, error_list };
    struct row {
        const char* name;
        what transfer;
        card_faults faults;
        std::vector<std::string> messages;
        int transmissions_of_third_frame; // -1: not checked
    };
    auto with = [](std::vector<card_fault> card_faults::*list, card_fault fault) {
        card_faults f;
        (f.*list).push_back(fault);
        return f;
    };
    card_faults dead;
    dead.dead_after = 2;
    const row rows[] = {
        {"refused line",
         sending,
         with(&card_faults::refuse, {3, 12}),
         {msg_line_not_acknowledged, msg_partial_map},
         12},
        {"refused eleven times",
         sending,
         with(&card_faults::refuse, {3, 11}),
         {msg_send_complete},
         12},
        {"silent on a line",
         sending,
         with(&card_faults::silent, {3, 12}),
         {msg_line_not_acknowledged, msg_partial_map},
         12},
        {"card goes silent", sending, dead, {msg_line_not_acknowledged, msg_partial_map}, 12},
        {"silent on the request",
         extracting,
         with(&card_faults::silent, {1, 6}),
         {msg_not_extracted},
         -1},
        {"short header",
         extracting,
         with(&card_faults::cut_short, {1, 20}),
         {msg_not_extracted},
         -1},
        {"no header", extracting, with(&card_faults::cut_short, {1, 0}), {msg_not_extracted}, -1},
        {"short block", extracting, with(&card_faults::cut_short, {3, 7}), {msg_not_extracted}, -1},
        // The garbage shifts the header; its last bytes then stand where the next
        // acknowledgement is expected.
        {"garbage before the header",
         extracting,
         with(&card_faults::garbage, {1, 3}),
         {msg_not_extracted},
         -1},
        {"card goes silent after the header", extracting, dead, {msg_not_extracted}, -1},
        {"a stray byte before the last block",
         extracting,
         with(&card_faults::garbage, {3, 1}),
         {msg_not_extracted},
         -1},
        {"a stray byte in the error list",
         error_list,
         with(&card_faults::garbage, {2, 1}),
         {msg_not_extracted},
         -1},
        {"error list refused",
         error_list,
         with(&card_faults::refuse, {1, 6}),
         {msg_error_list_not_extracted},
         -1},
        {"error list block short",
         error_list,
         with(&card_faults::cut_short, {2, 3}),
         {msg_not_extracted},
         -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        card_options options;
        options.faults = r.faults;
        options.error_text = "E1\n";
        pty_card c(options);
        if (r.transfer != sending)
            c.card.set_configuration({"RDX Modbus protocol", "PLC_CHAN x", "REGMAX 1", "NODENUM 1",
                                      "HREG", "40001 0 1 0 0 0 F:0 Massflow"});
        bool ok = false;
        if (r.transfer == sending)
            ok = send(c, small_map);
        else if (r.transfer == extracting)
            ok = extract_configuration(c.link, 1, fast_timeout_ms) != nullptr;
        else
            ok = extract_error_list(c.link, fast_timeout_ms).has_value();
        EXPECT_EQ(ok, r.messages == std::vector<std::string>{msg_send_complete});
        EXPECT_EQ(c.ui.texts(), r.messages) << c.transcript.text();
        if (r.transmissions_of_third_frame >= 0) {
            EXPECT_EQ(times_received(c.transcript.text(), "REGMAX 100"),
                      r.transmissions_of_third_frame);
        }
        EXPECT_FALSE(c.ui.progress_open);
        EXPECT_TRUE(port_is_free(c.port()));
    }
}

TEST(PtyLink, APortHeldByAnotherProgramIsRefusedAndNothingIsSent) {
    pty_card c;
    termios_serial_port other;
    ASSERT_TRUE(other.open(c.port()));
    EXPECT_FALSE(send(c, small_map));
    EXPECT_FALSE(extract_configuration(c.link, 1, fast_timeout_ms));
    EXPECT_FALSE(extract_error_list(c.link, fast_timeout_ms));
    EXPECT_EQ(c.ui.texts(), std::vector<std::string>(3, msg_com_open_failed));
    EXPECT_EQ(c.ui.progress_opened, 0);
    other.close();
    EXPECT_EQ(c.card.frames_accepted(), 0);
    EXPECT_TRUE(send(c, small_map)); // free again once the other program let go
}
