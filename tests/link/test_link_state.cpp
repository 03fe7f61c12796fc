#include "fake_link.h"
#include "link/link_messages.h"
#include "link/link_state.h"

#include <gtest/gtest.h>

namespace {

const std::string open_failed =
    "Opening USB device failed!\nThe USB device may be used by other Application!";

struct link_fixture : fake_link {
    explicit link_fixture(const char* use_link = nullptr, const char* port = nullptr) {
        if (use_link)
            settings.values["Settings/UseLink"] = use_link;
        if (port)
            settings.values["Settings/ComPort"] = port;
        link.set_status_sink([this](const std::string& text) { statuses.push_back(text); });
        link.load_settings();
    }
};

TEST(LinkState, SettingsSelectTheLink) {
    struct case_t {
        const char* use_link; // nullptr: absent
        const char* port;
        int type;
        std::string status;
    };
    const case_t cases[] = {
        {nullptr, nullptr, link_com, "COM1"},
        {"COM", "/dev/ttyUSB0", link_com, "/dev/ttyUSB0"},
        {"USB", nullptr, link_usb, "USB disconnected"},
        {"usb", nullptr, link_none, ""},
        {"", nullptr, link_none, ""},
        {"COM ", nullptr, link_none, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.use_link ? c.use_link : "(absent)");
        link_fixture f(c.use_link, c.port);
        f.lib.devices = 0;
        f.link.check_usb();
        EXPECT_EQ(f.link.link_type(), c.type);
        ASSERT_FALSE(f.statuses.empty());
        EXPECT_EQ(f.statuses.back(), c.status);
        EXPECT_EQ(f.settings.saves, 0); // reading saves nothing
    }
}

TEST(LinkState, CheckUsbCountsTheCards) {
    struct case_t {
        const char* use_link;
        unsigned devices;
        int open_result;
        bool connected;
        bool opened;
        std::string status;
        std::vector<std::string> messages;
    };
    const case_t cases[] = {
        {"USB", 1, hid_success, true, true, "USB connected", {}},
        {"USB", 0, hid_success, false, false, "USB disconnected", {}},
        {"USB", 2, hid_success, false, false, "USB disconnected", {}},
        {"USB", 1, hid_device_not_opened, false, false, "USB disconnected", {open_failed}},
        {"COM", 1, hid_success, true, false, "COM1", {}},
        {"COM", 1, hid_device_not_opened, true, false, "COM1", {}},
        {"none", 1, hid_success, true, false, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.use_link << " devices " << c.devices);
        link_fixture f(c.use_link);
        f.lib.devices = c.devices;
        f.lib.open_result = c.open_result;
        f.link.check_usb();
        EXPECT_EQ(f.link.usb_connected(), c.connected);
        EXPECT_EQ(f.usb.is_open(), c.opened);
        EXPECT_EQ(f.usb.reader_running(), c.opened);
        EXPECT_EQ(f.link.status_text(), c.status);
        EXPECT_EQ(f.ui.texts(), c.messages);
    }
}

TEST(LinkState, ArrivalOfAnotherHidDeviceKeepsTheCardConnected) {
    link_fixture f("USB");
    f.link.check_usb();
    ASSERT_TRUE(f.link.usb_connected());
    f.link.check_usb(); // some other HID device arrived
    EXPECT_TRUE(f.link.usb_connected());
    EXPECT_EQ(f.lib.open_calls, 1);
    EXPECT_TRUE(f.ui.texts().empty());
    EXPECT_EQ(f.statuses.back(), "USB connected");
}

TEST(LinkState, RemovalHandling) {
    struct case_t {
        const char* what;
        const char* use_link;
        unsigned after; // devices left after the removal
        int close_result;
        bool connected;
        bool open;
        std::vector<std::string> messages;
    };
    const case_t cases[] = {
        {"another HID device removed", "USB", 1, hid_success, true, true, {}},
        {"the card removed while open", "USB", 0, hid_success, false, false, {}},
        {"close fails", "USB", 0, hid_transfer_failed, false, true, {msg_usb_close_failed}},
        {"the card removed on COM", "COM", 0, hid_success, false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        link_fixture f(c.use_link);
        f.link.check_usb();
        ASSERT_TRUE(f.link.usb_connected());
        f.lib.devices = c.after;
        f.lib.close_result = c.close_result;
        f.link.device_removed();
        EXPECT_EQ(f.link.usb_connected(), c.connected);
        EXPECT_EQ(f.usb.is_open(), c.open);
        EXPECT_EQ(f.ui.texts(), c.messages);
        EXPECT_FALSE(f.usb.reader_running() && !c.open);
        f.lib.close_result = hid_success;
    }
}

TEST(LinkState, SwitchingLinks) {
    link_fixture f("COM");
    f.link.check_usb();
    ASSERT_TRUE(f.link.usb_connected());
    EXPECT_FALSE(f.usb.is_open());

    f.link.select_usb_link();
    EXPECT_EQ(f.link.link_type(), link_usb);
    EXPECT_TRUE(f.usb.is_open());
    EXPECT_EQ(f.settings.values["Settings/UseLink"], "USB");
    EXPECT_EQ(f.statuses.back(), "USB connected");

    int saves = f.settings.saves;
    f.link.select_usb_link(); // already selected: nothing but the status
    EXPECT_EQ(f.settings.saves, saves);
    EXPECT_EQ(f.lib.open_calls, 1);

    f.lib.close_result = hid_transfer_failed;
    f.link.select_com_link();
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{msg_usb_close_failed});
    EXPECT_EQ(f.link.link_type(), link_com);
    EXPECT_TRUE(f.link.usb_connected()); // still attached, only closing failed
    EXPECT_EQ(f.settings.values["Settings/UseLink"], "COM");
    EXPECT_EQ(f.statuses.back(), "COM1");

    f.lib.close_result = hid_success;
    f.link.set_com_port("/dev/ttyS3");
    EXPECT_EQ(f.settings.values["Settings/ComPort"], "/dev/ttyS3");
    EXPECT_EQ(f.statuses.back(), "/dev/ttyS3");
}

TEST(LinkState, SwitchingToUsbWhenTheOpenFails) {
    link_fixture f("COM");
    f.link.check_usb();
    f.lib.open_result = hid_device_not_opened;
    f.link.select_usb_link();
    EXPECT_EQ(f.link.link_type(), link_usb);
    EXPECT_FALSE(f.link.usb_connected());
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{open_failed});
    EXPECT_EQ(f.statuses.back(), "USB disconnected");
}

TEST(LinkState, SwitchingFromNoLinkToComClosesNothing) {
    link_fixture f("usb");
    f.link.check_usb();
    ASSERT_TRUE(f.link.usb_connected());
    f.lib.close_result = hid_transfer_failed; // would show if a close were attempted
    f.link.select_com_link();
    EXPECT_TRUE(f.ui.texts().empty());
    EXPECT_EQ(f.lib.close_calls, 0);
    EXPECT_EQ(f.link.link_type(), link_com);
    f.lib.close_result = hid_success;
}

TEST(LinkState, ShutdownStopsTheReaderAndClosesTheDevice) {
    link_fixture f("USB");
    f.link.timing().reader_stop_wait_ms = 2000;
    f.link.check_usb();
    ASSERT_TRUE(f.usb.reader_running());
    f.link.shutdown();
    EXPECT_FALSE(f.usb.reader_running());
    EXPECT_FALSE(f.usb.is_open());
    EXPECT_FALSE(f.lib.is_open);
}

} // namespace

TEST(LinkState, FailedUsbOpenSaysWhy) {
    struct case_t {
        int open_result;
        bool switching; // select_usb_link rather than an arrival
        std::string detail;
    };
    const case_t cases[] = {
        {hid_access_denied, false, cause_permission_denied},
        {hid_access_denied, true, cause_permission_denied},
        {hid_device_not_found, false, cause_no_such_file},
        {hid_device_already_opened, true, cause_device_busy},
        {hid_device_not_opened, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.open_result << (c.switching ? " switching" : ""));
        link_fixture f(c.switching ? "COM" : "USB");
        f.lib.devices = 1;
        if (c.switching)
            f.link.check_usb();
        f.lib.open_result = c.open_result;
        if (c.switching)
            f.link.select_usb_link();
        else
            f.link.check_usb();
        EXPECT_FALSE(f.link.usb_connected());
        ASSERT_EQ(f.ui.events.size(), 1u);
        // The fixed text stays; the cause comes beside it.
        EXPECT_EQ(f.ui.events[0].text, open_failed);
        EXPECT_EQ(f.ui.events[0].detail, c.detail);
    }
}
