#pragma once
// A link over the fake USB library and settings kept in memory, with scripted messages: what
// the link tests start from. The USB device is closed before the parts go.

#include "fake_hid_library.h"
#include "link/UsbHidDevice.h"
#include "link/link_state.h"
#include "memory_settings.h"
#include "tests/support/scripted_ui.h"

#include <string>
#include <vector>

struct fake_link {
    fake_link() = default;
    fake_link(const fake_link&) = delete;
    fake_link& operator=(const fake_link&) = delete;
    ~fake_link() { usb.close(); }

    // The status texts, for a test that hands the link a sink that records them.
    std::vector<std::string> statuses;
    scripted_ui ui;
    memory_settings settings;
    fake_hid_library lib;
    UsbHidDevice usb{lib};
    link_state link{settings, usb, nullptr, ui};
};
