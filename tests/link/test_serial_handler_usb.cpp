#include "fake_link.h"
#include "link/CSerialHandler.h"
#include "link/frame.h"
#include "link/link_messages.h"
#include "link/link_state.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct usb_fixture : fake_link {
    explicit usb_fixture(const char* use_link = "USB", unsigned devices = 1) {
        settings.values["Settings/UseLink"] = use_link;
        lib.devices = devices;
        lib.read_wait_ms = 5;
        link.timing().usb_read_timeout_ms = 100;
        link.load_settings();
        link.check_usb();
    }
};

const std::uint8_t end_payload[] = {'E', 'N', 'D'};

TEST(SerialHandlerUsb, AttachUsesTheUsbTimeOut) {
    usb_fixture f;
    CSerialHandler handler(f.link);
    handler.attach_usb(f.usb);
    EXPECT_EQ(handler.read_timeout(), 100);
    EXPECT_TRUE(handler.set_timeout(5000));
    EXPECT_EQ(handler.read_timeout(), 5000);
    EXPECT_TRUE(f.ui.texts().empty());
}

TEST(SerialHandlerUsb, FrameGoesOutAsOneReportAndIsAcknowledged) {
    usb_fixture f;
    f.lib.answer_byte = frame_ack;
    CSerialHandler handler(f.link);
    handler.attach_usb(f.usb);
    f.usb.flush_channel(3);
    ASSERT_TRUE(handler.send_frame(end_payload, 3));
    auto reports = f.lib.output_reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(reports[0].begin(), reports[0].begin() + 8),
              (std::vector<std::uint8_t>{4, 6, 0x02, 'E', 'N', 'D', 0x03, 0x4C}));
}

// A card that refuses: each call transmits the frame exactly three times, then gives up.
TEST(SerialHandlerUsb, RefusedFramesAreTransmittedThreeTimesPerCall) {
    struct case_t {
        std::deque<int> answers; // -1: silence
        bool accepted;
        std::size_t transmissions;
    };
    const case_t cases[] = {
        {{frame_ack}, true, 1},           {{0x15, frame_ack}, true, 2},
        {{-1, 0x15, frame_ack}, true, 3}, {{0x15, 0x15, 0x15, frame_ack}, false, 3},
        {{-1, -1, -1}, false, 3},
    };
    for (const auto& c : cases) {
        usb_fixture f;
        f.lib.answer_script = c.answers;
        CSerialHandler handler(f.link);
        handler.attach_usb(f.usb);
        handler.set_timeout(50);
        EXPECT_EQ(handler.send_frame(end_payload, 3), c.accepted);
        EXPECT_EQ(f.lib.output_reports().size(), c.transmissions);
        EXPECT_TRUE(f.ui.texts().empty()); // a missing acknowledgement shows nothing here
    }

    usb_fixture f;
    f.lib.answer_byte = 0x15;
    CSerialHandler handler(f.link);
    handler.attach_usb(f.usb);
    handler.set_timeout(50);
    for (int call = 0; call < 4; ++call)
        EXPECT_FALSE(handler.send_frame(end_payload, 3));
    EXPECT_EQ(f.lib.output_reports().size(), 12u);
}

TEST(SerialHandlerUsb, ReceiveReportsAReadWithoutAnyByte) {
    usb_fixture f;
    CSerialHandler handler(f.link);
    handler.attach_usb(f.usb);
    handler.set_timeout(50);
    std::uint8_t buffer[26];
    EXPECT_EQ(handler.receive(buffer, 26), 0u);
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{msg_read_failed});

    // A short answer is returned as it is, without a message.
    fake_hid_library::report r{3, 10};
    r.resize(12, 0x41);
    f.lib.push_input(r);
    EXPECT_EQ(handler.receive(buffer, 26), 10u);
    EXPECT_EQ(f.ui.texts().size(), 1u);
}

// Writes and reads need the USB link selected, a connected card and an attached device.
TEST(SerialHandlerUsb, NoUsableLinkRefusesIO) {
    struct case_t {
        const char* what;
        const char* use_link;
        unsigned devices;
        bool attach;
    };
    const case_t cases[] = {
        {"two cards attached", "USB", 2, true},       {"no card", "USB", 0, true},
        {"COM selected but no port", "COM", 1, true}, {"no link", "none", 1, true},
        {"USB not attached", "USB", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        usb_fixture f(c.use_link, c.devices);
        f.lib.answer_byte = frame_ack;
        CSerialHandler handler(f.link);
        if (c.attach)
            handler.attach_usb(f.usb);
        std::size_t n = 99;
        EXPECT_FALSE(handler.write_bytes(end_payload, 3, n));
        EXPECT_EQ(n, 0u);
        std::uint8_t b;
        EXPECT_FALSE(handler.read_bytes(&b, 1, n));
        EXPECT_FALSE(handler.send_frame(end_payload, 3));
        EXPECT_TRUE(f.lib.output_reports().empty());
    }
}

} // namespace
