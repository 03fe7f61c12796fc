// Extraction of configurations and error lists from the card behind the in-process USB face:
// round trips of every protocol and device, the size checks, and the exchange faults.

#include "format/image_codec.h"
#include "link/extract.h"
#include "link/link_messages.h"
#include "link/send_text.h"
#include "link/transfer_messages.h"
#include "sim_test_support.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

using namespace sim_test;

namespace {

const char* device_words[] = {"BLF", "RDX", "WNT", "HQP"};

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

const std::string small_map = "RDX Modbus protocol\n"
                              "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                              "REGMAX 100\nNODENUM 1\nHREG\n"
                              "40001 0 1 0 0 0 F:0 Massflow\n"
                              "40002 0 1 1 0 0 F:0 Setpoint\n";

} // namespace

TEST(Extract, EveryProtocolAndDeviceComesBackAsSent) {
    for (int device = 0; device < 4; ++device) {
        for (const auto& map : maps_of_every_protocol(device_words[device])) {
            SCOPED_TRACE(map.text.substr(0, map.text.find('\n')));
            card_options options;
            options.device_code = device;
            usb_card c(options);
            std::istringstream in(map.text);
            ASSERT_TRUE(send_text(c.link, in));
            auto extracted = extract_configuration(c.link, device, fast_timeout_ms);
            if (device == 2 && map.protocol_code >= 9) {
                // A WNT sends no information block: a network header has no keyword to decode
                // from, and block definitions get no allowance in the size checks.
                EXPECT_FALSE(extracted);
                ASSERT_EQ(c.ui.texts().size(), 2u);
                bool block_mapped = map.protocol_code == 12 || map.protocol_code == 13;
                EXPECT_EQ(block_mapped ? c.ui.texts()[1].substr(0, 13) : c.ui.texts()[1],
                          block_mapped ? "Bad zrp data!" : msg_parse_error);
                continue;
            }
            ASSERT_TRUE(extracted) << testing::PrintToString(c.ui.texts());
            EXPECT_EQ(text_of(*extracted), normalised(map.text));
            EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_send_complete});

            // The image travels in 26-byte blocks after the header (and information block).
            auto frames = received_payloads(c.transcript.text());
            auto image = encode_image(*extracted, device);
            int area = be16(image.data()) + 1 - 32;
            int blocks = (area + 25) / 26;
            std::vector<std::string> expected = {"EXTRACT_ZRP"};
            if (device != 2)
                expected.push_back("EXTRA_INFO");
            for (int b = 0; b < blocks; ++b)
                expected.push_back("ACK " + std::to_string(b + 1 < blocks ? 26 : area - 26 * b));
            expected.push_back("END");
            std::vector<std::string> tail(frames.end() - expected.size(), frames.end());
            EXPECT_EQ(tail, expected);
            EXPECT_EQ(c.ui.progress_high, blocks);
        }
    }
}

TEST(Extract, SizeChecksInTheirOrder) {
    image_info_block plain{}, ethip{}, devicenet{}, ethip_prefix{};
    std::memcpy(ethip.data(), "ETHIP", 6);
    std::memcpy(devicenet.data(), "DEVICENET", 10);
    std::memcpy(ethip_prefix.data(), "ETHIPX", 7); // the keyword must end with its zero byte
    struct row {
        int size, records;
        const image_info_block& info;
        std::string message; // empty: passes
    };
    const row rows[] = {
        {26 * 40, 40, plain, ""},
        {26 * 40, 41, plain, image_too_small_message(1040, 41, 26)},
        {1000, 10, plain, image_too_large_message(1000, 10, 98)},
        {1000, 10, ethip, ""},
        {1000, 10, devicenet, ""},
        {1000, 10, ethip_prefix, image_too_large_message(1000, 10, 98)},
        {17056, 656, plain, too_many_records_message(656, 655)},
        {-2, 0, plain, image_too_small_message(-2, 0, 26)},
        {98 * 655, 655, plain, ""},
        {65535 - 31, 65535, plain, image_too_small_message(65504, 65535, 26)},
    };
    for (const auto& r : rows) {
        scripted_ui ui;
        EXPECT_EQ(check_image_sizes(r.size, r.records, r.info, ui), r.message.empty());
        EXPECT_EQ(ui.texts(), r.message.empty() ? std::vector<std::string>{}
                                                : std::vector<std::string>{r.message});
    }
    EXPECT_EQ(image_too_large_message(1000, 10, 98),
              "Bad zrp data!\nFile size (1000 bytes) is greater than size for max. Number of "
              "Records (10 * 98 bytes).\nFile not extracted!");
}

TEST(Extract, FaultsEndInTheirMessages) {
    // Frames: 1 "EXTRACT_ZRP", 2 "EXTRA_INFO", 3 the first block request, ..., "END" last.
    // Data answers: 1 the image header, 2 the information block, 3 the first block.
    int end_frame = 0;
    {
        usb_card clean;
        clean.card.set_configuration(lines_of(small_map));
        ASSERT_TRUE(extract_configuration(clean.link, 1, fast_timeout_ms));
        end_frame = clean.card.frames_accepted();
        ASSERT_GT(end_frame, 4);
    }
    struct row {
        const char* name;
        std::vector<card_fault> card_faults::*list;
        card_fault fault;
        bool extracted;
        std::vector<std::string> messages;
    };
    const row rows[] = {
        {"request refused three times: the second call succeeds",
         &card_faults::refuse,
         {1, 3},
         true,
         {}},
        {"request refused six times", &card_faults::refuse, {1, 6}, false, {msg_not_extracted}},
        {"request unanswered six times", &card_faults::silent, {1, 6}, false, {msg_not_extracted}},
        {"short header", &card_faults::cut_short, {1, -1}, false, {msg_not_extracted}},
        {"no header", &card_faults::cut_short, {1, 0}, false, {msg_read_failed, msg_not_extracted}},
        {"information block refused", &card_faults::refuse, {2, 3}, false, {msg_not_extracted}},
        {"short information block (not compared)", &card_faults::cut_short, {2, 100}, true, {}},
        {"block request refused", &card_faults::refuse, {3, 3}, false, {msg_not_extracted}},
        {"short block", &card_faults::cut_short, {3, 10}, false, {msg_not_extracted}},
        {"garbage before a block", &card_faults::garbage, {3, 3}, false, {msg_not_extracted}},
        // One stray byte shifts a block by one; its last byte would stand where the next
        // acknowledgement is expected.
        {"a stray byte before a block", &card_faults::garbage, {4, 1}, false, {msg_not_extracted}},
        {"a stray byte before the last block",
         &card_faults::garbage,
         {5, 1},
         false,
         {msg_not_extracted}},
        {"a stray byte before the header",
         &card_faults::garbage,
         {1, 1},
         false,
         {msg_not_extracted}},
        {"a stray byte before the information block",
         &card_faults::garbage,
         {2, 1},
         false,
         {msg_not_extracted}},
        {"END refused", &card_faults::refuse, {end_frame, 3}, false, {msg_not_extracted}},
        {"END refused twice only", &card_faults::refuse, {end_frame, 2}, true, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        card_options options;
        (options.faults.*r.list).push_back(r.fault);
        usb_card c(options);
        c.card.set_configuration(lines_of(small_map));
        auto map = extract_configuration(c.link, 1, fast_timeout_ms);
        EXPECT_EQ(static_cast<bool>(map), r.extracted);
        EXPECT_EQ(c.ui.texts(), r.messages) << c.transcript.text();
        EXPECT_FALSE(c.ui.progress_open);
    }
}

// A short information block is the card's whole block only when it carries nothing (a serial
// protocol's block is all zero bytes); cut short with settings in it, it fails the extraction.
TEST(Extract, AnInformationBlockCutShortWithSettingsInItFails) {
    const std::string tcp_map = "RDX Modbus/TCP protocol\n"
                                "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                                "REGMAX 100\nNODENUM 1\nMBTCP 10.1.2.3 255.255.0.0 10.1.0.1\n"
                                "HREG\n40001 0 1 0 0 0 F:0 Massflow\n";
    struct row {
        const std::string& map;
        int keep; // bytes of the information block the card sends
        bool extracted;
        std::vector<std::string> messages;
    };
    const row rows[] = {
        {tcp_map, 128, true, {}},
        {tcp_map, 10, false, {msg_not_extracted}},
        {tcp_map, 127, false, {msg_not_extracted}},
        {tcp_map, 0, false, {msg_read_failed, msg_not_extracted}},
        {small_map, 10, true, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.keep);
        card_options options;
        if (r.keep < 128)
            options.faults.cut_short.push_back({2, r.keep});
        usb_card c(options);
        c.card.set_configuration(lines_of(r.map));
        auto map = extract_configuration(c.link, 1, fast_timeout_ms);
        EXPECT_EQ(static_cast<bool>(map), r.extracted);
        if (map) {
            EXPECT_EQ(text_of(*map), normalised(r.map));
        }
        EXPECT_EQ(c.ui.texts(), r.messages);
    }
}

TEST(Extract, SilentCardAndEmptyCard) {
    {
        card_options options;
        options.faults.dead_after = 1; // answers the header, then nothing
        usb_card c(options);
        c.card.set_configuration(lines_of(small_map));
        EXPECT_FALSE(extract_configuration(c.link, 1, fast_timeout_ms));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_not_extracted});
    }
    {
        usb_card c; // nothing was ever sent to it
        EXPECT_FALSE(extract_configuration(c.link, 1, fast_timeout_ms));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_zrp_not_present});
    }
}

TEST(ExtractErrorList, TextsAndBlocks) {
    struct row {
        std::optional<std::string> card_text;
        std::optional<std::string> result;
        std::vector<std::string> requests;
    };
    const std::string text27 = std::string(26, 'e') + "\n"; // 27 bytes and the card's zero byte
    const row rows[] = {
        {std::string("Register 40001: unknown parameter\n"),
         std::string("Register 40001: unknown parameter\n"),
         {"ERROR", "ACK 26", "ACK 9", "END"}},
        {text27, text27, {"ERROR", "ACK 26", "ACK 2", "END"}},
        {std::nullopt, std::nullopt, {"ERROR"}},
    };
    for (const auto& r : rows) {
        card_options options;
        options.error_text = r.card_text;
        usb_card c(options);
        auto text = extract_error_list(c.link, fast_timeout_ms);
        EXPECT_EQ(text, r.result);
        EXPECT_EQ(received_payloads(c.transcript.text()), r.requests);
        if (!r.result)
            EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_no_errors});
        else
            EXPECT_TRUE(c.ui.texts().empty());
    }
}

TEST(ExtractErrorList, FaultsEndInTheirMessages) {
    struct row {
        std::vector<card_fault> card_faults::*list;
        card_fault fault;
        std::vector<std::string> messages;
    };
    const row rows[] = {
        {&card_faults::refuse, {1, 3}, {}},
        {&card_faults::refuse, {1, 6}, {msg_error_list_not_extracted}},
        {&card_faults::cut_short, {1, 2}, {msg_error_list_not_extracted}},
        {&card_faults::cut_short, {1, 0}, {msg_read_failed, msg_error_list_not_extracted}},
        // Past the header the exchange uses the configuration's wording.
        {&card_faults::refuse, {2, 3}, {msg_not_extracted}},
        {&card_faults::cut_short, {2, 5}, {msg_not_extracted}},
        {&card_faults::refuse, {4, 3}, {msg_not_extracted}},
        {&card_faults::garbage, {1, 1}, {msg_error_list_not_extracted}},
        {&card_faults::garbage, {2, 1}, {msg_not_extracted}},
        {&card_faults::garbage, {3, 1}, {msg_not_extracted}},
    };
    for (const auto& r : rows) {
        card_options options;
        options.error_text = std::string(30, 'x'); // two blocks: 26 and 5
        (options.faults.*r.list).push_back(r.fault);
        usb_card c(options);
        auto text = extract_error_list(c.link, fast_timeout_ms);
        EXPECT_EQ(text.has_value(), r.messages.empty());
        EXPECT_EQ(c.ui.texts(), r.messages);
    }
}
