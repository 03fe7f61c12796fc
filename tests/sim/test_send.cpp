// send_text against the card behind the in-process USB face: what reaches the card, the
// pause, the progress display, the refusal matrix and the over-long line.

#include "link/send_text.h"
#include "link/transfer_messages.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

using namespace sim_test;

namespace {

const std::string map_with_noise = "; written by hand\n"
                                   "RDX Modbus protocol\n"
                                   "comment before the channel\n"
                                   "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                                   "between\n"
                                   "REGMAX 100\n"
                                   "NODENUM 1\n"
                                   "\n"
                                   "HREG\n"
                                   "40001 0 1 0 0 0 F:0 Massflow\n"
                                   "not a register\n"
                                   "\n"
                                   "40002 0 1 3 0 0 F:0\n"
                                   "\n"
                                   "C1 C2\n"
                                   "any text\n"
                                   "40003 0 1 1 0 0 F:0 Setpoint\n";

const std::vector<std::string> filtered_lines = {
    "RDX Modbus protocol",
    "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST",
    "REGMAX 100",
    "NODENUM 1",
    "",
    "HREG",
    "40001 0 1 0 0 0 F:0 Massflow",
    "40002 0 1 3 0 0 F:0",
    "",
    "C1 C2",
    "any text",
    "40003 0 1 1 0 0 F:0 Setpoint"};

bool send(usb_card& c, const std::string& text) {
    std::istringstream in(text);
    return send_text(c.link, in);
}

} // namespace

TEST(SendText, SendsTheFilteredLinesPausesBeforeTheFirstRegisterAndEndsWithEnd) {
    usb_card c;
    ASSERT_TRUE(send(c, map_with_noise));
    EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_send_complete});
    EXPECT_EQ(c.card.configuration(), filtered_lines);

    auto frames = received_payloads(c.transcript.text());
    auto expected = filtered_lines;
    expected.push_back("END");
    EXPECT_EQ(frames, expected);
    // One pause of 1000 ms, after "HREG" (frame 6) and before the first register.
    EXPECT_EQ(c.sleeps.ms, std::vector<int>{1000});
    EXPECT_EQ(c.sleeps.frames_before, std::vector<int>{6});

    EXPECT_EQ(c.ui.progress_title, "File progress");
    EXPECT_EQ(c.ui.progress_high, static_cast<int>(filtered_lines.size()));
    std::vector<int> positions;
    for (int i = 1; i <= static_cast<int>(filtered_lines.size()); ++i)
        positions.push_back(i);
    EXPECT_EQ(c.ui.positions, positions);
    EXPECT_FALSE(c.ui.progress_open);
}

TEST(SendText, MapsWithoutRegistersOrWithoutSendableLines) {
    struct row {
        std::string text;
        int range;
        std::size_t pauses;
        std::vector<std::string> frames;
    };
    const row rows[] = {
        {"BLF Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n",
         5,
         0,
         {"BLF Modbus protocol", "PLC_CHAN x", "REGMAX 1", "NODENUM 1", "HREG", "END"}},
        {"nothing here\nfor the card\n", 0, 0, {"END"}},
        {"", 0, 0, {"END"}},
    };
    for (const auto& r : rows) {
        usb_card c;
        EXPECT_TRUE(send(c, r.text));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_send_complete});
        EXPECT_EQ(c.ui.progress_high, r.range);
        EXPECT_EQ(c.sleeps.ms.size(), r.pauses);
        EXPECT_EQ(received_payloads(c.transcript.text()), r.frames);
    }
}

TEST(SendText, AnOverLongLineRefusesTheMapBeforeAnythingIsSent) {
    const std::string long_register = "40002 0 1 0 0 0 F:0 " + std::string(190, 'N');
    struct row {
        std::string line;
        bool refused;
    };
    const row rows[] = {
        {std::string(199, 'x'), false},
        {std::string(198, 'x') + "\r", false}, // a CRLF line end is not part of the line
        {std::string(200, 'x'), true},
        {long_register, true},
        {std::string(5000, 'y'), true},
    };
    for (const auto& r : rows) {
        usb_card c;
        std::string text = "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n"
                           "40001 0 1 0 0 0 F:0 Massflow\n" +
                           r.line + "\n40010 0 1 0 0 0 F:0 Setpoint\n";
        bool sent = send(c, text);
        EXPECT_EQ(sent, !r.refused);
        if (!r.refused)
            continue;
        ASSERT_EQ(c.ui.texts().size(), 1u);
        const std::string message = c.ui.texts()[0];
        EXPECT_NE(message.find("Line 7 "), std::string::npos) << message;
        EXPECT_NE(message.find(r.line.substr(0, 20)), std::string::npos) << message;
        EXPECT_TRUE(c.transcript.text().empty()); // not one byte reached the card
        EXPECT_FALSE(c.ui.progress_open);
    }
}

TEST(SendText, RefusedFramesAreTriedFourCallsOfThreeTransmissions) {
    // The message quotes Config with the typographic quotes, in UTF-8.
    EXPECT_NE(std::string(msg_line_not_acknowledged)
                  .find("Protocol to \xE2\x80\x9C"
                        "Config\xE2\x80\x9D.\n"),
              std::string::npos);
    // Frame 3 is "REGMAX 1"; the card refuses it k times.
    const std::string text = "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n";
    struct row {
        int frame, refusals;
        bool sent;
        std::string payload;
        int transmissions;
        std::vector<std::string> messages;
    };
    // A send that stops part way says, after its own message, what the card may hold now.
    const row rows[] = {
        {3, 11, true, "REGMAX 1", 12, {msg_send_complete}},
        {3, 12, false, "REGMAX 1", 12, {msg_line_not_acknowledged, msg_partial_map}},
        {6, 11, true, "END", 12, {msg_send_complete}},
        {6, 12, false, "END", 12, {msg_not_sent, msg_partial_map}},
    };
    for (const auto& r : rows) {
        card_options options;
        options.faults.refuse.push_back({r.frame, r.refusals});
        usb_card c(options);
        EXPECT_EQ(send(c, text), r.sent);
        EXPECT_EQ(c.ui.texts(), r.messages);
        // A refusing card answers: no note says it is silent.
        EXPECT_TRUE(c.ui.notes.empty());
        EXPECT_EQ(times_received(c.transcript.text(), r.payload), r.transmissions);
        if (!r.sent) { // nothing after the refused frame
            EXPECT_EQ(received_payloads(c.transcript.text()).back(), r.payload);
        }
    }
}

TEST(SendText, SilentCardAndMissingLinks) {
    const std::string text = "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n";
    {
        card_options options;
        options.faults.dead_after = 2;
        usb_card c(options);
        EXPECT_FALSE(send(c, text));
        EXPECT_EQ(c.ui.texts(),
                  (std::vector<std::string>{msg_line_not_acknowledged, msg_partial_map}));
        EXPECT_EQ(times_received(c.transcript.text(), "REGMAX 1"), 12);
        // While the card is silent the progress display names the transmission on the wire.
        std::vector<std::string> notes;
        for (int t = 2; t <= 12; ++t)
            notes.push_back(no_answer_note(t, 12));
        notes.push_back("");
        EXPECT_EQ(c.ui.notes, notes);
        EXPECT_EQ(notes[3], "No answer from the card, transmission 5 of 12");
    }
    struct row {
        unsigned attached;
        const char* use_link;
        const char* message;
    };
    const row rows[] = {
        {0, "USB", msg_usb_not_available},
        {2, "USB", msg_usb_not_available}, // two cards count as none
        {1, "NONE", msg_no_link},
    };
    for (const auto& r : rows) {
        usb_card c({}, r.attached, r.use_link);
        EXPECT_FALSE(send(c, text));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{r.message});
        EXPECT_TRUE(c.transcript.text().empty());
        EXPECT_EQ(c.ui.progress_opened, 0);
    }
}

// Cancel stops the send between two transmissions and during the wait for an answer; the
// frame on the wire is never repeated after it, and the message says what the card may hold.
TEST(SendText, CancelStopsAfterTheFrameOnTheWire) {
    const std::string text = "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n"
                             "40001 0 1 0 0 0 F:0 Massflow\n";
    struct row {
        const char* what;
        int dead_after;
        bool cancel_in_pause;
        std::string last_payload;
        int transmissions_of_last;
    };
    const row rows[] = {
        {"on the note of transmission 5", 2, false, "REGMAX 1", 4},
        {"during the pause before the first register", 0, true, "HREG", 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        card_options options;
        options.faults.dead_after = r.dead_after;
        usb_card c(options);
        cancel_token cancel;
        c.ui.on_note = [&cancel](const std::string& note) {
            if (note == no_answer_note(5, 12))
                cancel.cancel();
        };
        if (r.cancel_in_pause)
            c.link.timing().sleep = [&cancel](int, const cancel_token&) { cancel.cancel(); };
        std::istringstream in(text);
        EXPECT_FALSE(send_text(c.link, in, transfer_session{c.ui, cancel}));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_send_cancelled});
        EXPECT_EQ(received_payloads(c.transcript.text()).back(), r.last_payload);
        EXPECT_EQ(times_received(c.transcript.text(), r.last_payload), r.transmissions_of_last);
        EXPECT_FALSE(c.ui.progress_open);
    }
}

// Sending a file as stored: only a readable regular file is sent. A folder opens as a stream
// and reads as empty, which would send "END" alone and commit an empty configuration.
TEST(SendFile, OnlyARegularFileIsSent) {
    temp_dir dir;
    write_file(dir.file("map.zrp"), map_with_noise);
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    struct row {
        std::string path;
        bool sent;
    };
    const row rows[] = {
        {dir.file("map.zrp"), true}, {dir.path(), false},  {dir.file("pipe"), false},
        {"/dev/zero", false},        {"/dev/null", false}, {dir.file("none.zrp"), false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path);
        usb_card c;
        c.card.set_configuration({"RDX Modbus protocol", "the card's own"});
        EXPECT_EQ(send_file(c.link, r.path), r.sent);
        if (r.sent) {
            EXPECT_EQ(c.card.configuration(), filtered_lines);
            continue;
        }
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_file_not_opened});
        EXPECT_TRUE(c.transcript.text().empty()); // not even "END"
        EXPECT_EQ(c.ui.progress_opened, 0);
        EXPECT_EQ(c.card.configuration().back(), "the card's own");
    }
}

// A file that is no map never reaches the card: not even "END", which would leave it with an
// empty configuration.
TEST(SendFile, AFileThatIsNoMapIsNotSent) {
    auto with = [](const std::string& from, const std::string& to) {
        std::string text = "RDX Modbus protocol\n"
                           "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                           "REGMAX 100\nNODENUM 1\nHREG\n"
                           "40001 0 1 0 0 0 F:0 Massflow\n";
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string nul_keyword = with("PLC_CHAN", std::string("PLC_\0CHAN", 9));
    const struct {
        const char* what;
        std::string text;
        const char* reason;
    } rows[] = {
        {"empty", "", "no NODENUM line"},
        {"plain text", "Dear operator,\nplease send the new map.\n", "no NODENUM line"},
        {"keyword typo", with("PLC_CHAN", "PLC-CHAN"), "no PLC_CHAN line"},
        {"NUL in the keyword", nul_keyword, "no PLC_CHAN line"},
        {"binary", std::string("\x89PNG\0\x01NODENUM\n", 14), "not text"},
        {"no REGMAX line", with("REGMAX 100", ""), "no REGMAX line"},
        {"no HREG line", with("\nHREG\n", "\n"), "no HREG line"},
        {"no NODENUM line", with("NODENUM 1", ""), "no NODENUM line"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        temp_dir dir;
        write_file(dir.file("t.zrp"), r.text);
        usb_card c;
        c.card.set_configuration({"RDX Modbus protocol", "the card's own"});
        EXPECT_FALSE(send_file(c.link, dir.file("t.zrp")));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_map_not_loaded});
        EXPECT_EQ(c.ui.events.front().detail, dir.file("t.zrp") + ": " + r.reason);
        EXPECT_TRUE(c.transcript.text().empty());
        EXPECT_EQ(c.ui.progress_opened, 0);
        EXPECT_EQ(c.card.configuration().back(), "the card's own");
    }
}
