// The USB path through the card's in-process HID face: report packing, foreign report ids,
// the ring limit, the read time-out rule, attachment counting and removal while open.

#include "link/CSerialHandler.h"
#include "link/send_text.h"
#include "link/transfer_messages.h"
#include "sim_test_support.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using namespace sim_test;

TEST(UsbFace, FramesArePackedIntoReportsOfAtMost58Bytes) {
    struct row {
        std::size_t payload;
        std::vector<int> counts;
    };
    const row rows[] = {{3, {6}}, {55, {58}}, {56, {58, 1}}, {58, {58, 3}}, {117, {58, 58, 4}}};
    for (const auto& r : rows) {
        usb_card c;
        CSerialHandler handler(c.link);
        handler.attach_usb(c.usb);
        std::string payload(r.payload, 'P');
        ASSERT_TRUE(handler.send_frame(reinterpret_cast<const std::uint8_t*>(payload.data()),
                                       payload.size()));
        std::vector<int> counts;
        for (const auto& report : c.library.output_reports()) {
            EXPECT_EQ(report.size(), 61u);
            EXPECT_EQ(report[0], 4);
            counts.push_back(report[1]);
        }
        EXPECT_EQ(counts, r.counts);
        EXPECT_EQ(c.card.frames_accepted(), 1); // the card reassembled the whole frame
    }
}

TEST(UsbFace, ForeignReportIdsAreIgnoredAndTheRingKeeps8191Bytes) {
    usb_card c;
    c.usb.flush_channel(3);
    c.library.inject_report({2, 3, 'a', 'b', 'c'});
    c.library.inject_report({1, 2, 'x', 'y'});
    c.library.inject_report({3, 2, 'o', 'k'});
    std::uint8_t buffer[8] = {};
    std::size_t count = 2;
    ASSERT_TRUE(c.usb.read_channel(3, buffer, sizeof buffer, count, 500));
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(std::string(buffer, buffer + 2), "ok");
    EXPECT_EQ(c.usb.buffered(1), 2u);

    // 150 reports of 62 bytes: 9300 bytes for a ring that holds 8191.
    for (int i = 0; i < 150; ++i) {
        std::vector<std::uint8_t> report{3, 62};
        report.resize(64, static_cast<std::uint8_t>(i));
        c.library.inject_report(report);
    }
    for (int wait = 0; wait < 200 && c.usb.buffered(3) + c.usb.dropped(3) < 9300; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(c.usb.buffered(3), 8191u);
    EXPECT_EQ(c.usb.dropped(3), 9300u - 8191u);
}

TEST(UsbFace, AShortReadAfterTheTimeOutReturnsWhatCame) {
    usb_card c;
    c.usb.flush_channel(3);
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        c.library.inject_report({3, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    });
    std::uint8_t buffer[26];
    std::size_t count = 26;
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(c.usb.read_channel(3, buffer, sizeof buffer, count, 200));
    auto waited = std::chrono::steady_clock::now() - start;
    late.join();
    EXPECT_EQ(count, 10u);
    EXPECT_GE(waited, std::chrono::milliseconds(190)); // waited for the rest until the end
    count = 26;
    EXPECT_FALSE(c.usb.read_channel(3, buffer, sizeof buffer, count, 50));
}

TEST(UsbFace, AttachmentAndRemoval) {
    const std::string map = "RDX Modbus protocol\nPLC_CHAN x\nREGMAX 1\nNODENUM 1\nHREG\n";
    {
        usb_card c({}, 2);
        EXPECT_FALSE(c.link.usb_connected());
        EXPECT_EQ(c.link.status_text(), "USB disconnected");
    }
    {
        usb_card c;
        ASSERT_TRUE(c.link.usb_connected());
        EXPECT_TRUE(c.library.is_open());
        // An unrelated HID device arrives: the card stays open, opened once.
        c.link.check_usb();
        EXPECT_TRUE(c.link.usb_connected());
        EXPECT_EQ(c.library.open_calls(), 1);

        c.library.set_attached(0);
        c.link.device_removed();
        EXPECT_FALSE(c.link.usb_connected());
        EXPECT_FALSE(c.library.is_open());
        std::istringstream in(map);
        EXPECT_FALSE(send_text(c.link, in));
        EXPECT_EQ(c.ui.texts(), std::vector<std::string>{msg_usb_not_available});

        // Plugged in again: the next send goes through.
        c.library.set_attached(1);
        c.link.check_usb();
        std::istringstream again(map);
        EXPECT_TRUE(send_text(c.link, again));
    }
    {
        // Pulled out in the middle of a transfer without the removal notice yet: the send
        // fails on the missing acknowledgements instead of hanging.
        usb_card c;
        c.library.set_attached(0);
        std::istringstream in(map);
        EXPECT_FALSE(send_text(c.link, in));
        EXPECT_EQ(c.ui.texts(),
                  (std::vector<std::string>{msg_line_not_acknowledged, msg_partial_map}));
    }
}
