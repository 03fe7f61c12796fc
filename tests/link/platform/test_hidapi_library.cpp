#include "link/UsbHidDevice.h"
#include "link/platform/hidapi_library.h"

#include <gtest/gtest.h>

namespace {

// The real library on a machine without the card: every call answers with a failure code,
// none crashes, and the device object stays usable.
TEST(HidapiLibrary, WithoutTheCard) {
    hidapi_library lib(20);
    if (lib.get_num_hid_devices(UsbHidDevice::vendor_id, UsbHidDevice::product_id) != 0)
        GTEST_SKIP() << "a card is attached";
    EXPECT_EQ(lib.open(0, UsbHidDevice::vendor_id, UsbHidDevice::product_id, 0),
              hid_device_not_found);
    std::uint8_t report[61] = {4, 3, 'E', 'N', 'D'};
    EXPECT_EQ(lib.set_output_report_interrupt(report, sizeof report), hid_device_not_opened);
    std::uint8_t buffer[8192];
    std::size_t returned = 99;
    EXPECT_EQ(lib.get_input_report_interrupt(buffer, sizeof buffer, 1, returned),
              hid_device_not_opened);
    EXPECT_EQ(returned, 0u);
    EXPECT_EQ(lib.close(), hid_device_not_opened);

    UsbHidDevice device(lib);
    EXPECT_EQ(device.count_devices(), 0u);
    EXPECT_NE(device.open(), hid_success);
    EXPECT_FALSE(device.reader_running());
    EXPECT_EQ(device.close(), hid_success);
}

TEST(HidapiLibrary, HidInterfaceClass) {
    hidapi_library lib;
    hid_guid expected{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    EXPECT_EQ(lib.get_hid_guid(), expected);
}

} // namespace
