#include "fake_hid_library.h"
#include "link/UsbHidDevice.h"

#include <chrono>
#include <gtest/gtest.h>
#include <numeric>
#include <thread>

namespace {

using clock_type = std::chrono::steady_clock;

long long elapsed_ms(clock_type::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock_type::now() - since).count();
}

std::vector<std::uint8_t> bytes(std::size_t n, std::uint8_t first = 0) {
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}

fake_hid_library::report input_report(std::uint8_t id, const std::vector<std::uint8_t>& data) {
    fake_hid_library::report r(data.size() + 2);
    r[0] = id;
    r[1] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), r.begin() + 2);
    return r;
}

TEST(UsbHidDevice, ReportPacking) {
    struct case_t {
        int report_id;
        std::size_t n;
        std::vector<int> counts;
    };
    const case_t cases[] = {
        {4, 6, {6}},           // the frame of a 3-byte payload
        {4, 120, {58, 58, 4}}, // never 59 bytes in one report
        {4, 61, {58, 3}},      {4, 58, {58}}, {1, 10, {10}}, {4, 0, {}}, {0, 10, {}}, {5, 10, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.report_id << " n " << c.n);
        fake_hid_library lib;
        UsbHidDevice device(lib);
        auto data = bytes(c.n, 1);
        device.send_reports(c.report_id, data.data(), data.size());
        auto reports = lib.output_reports();
        ASSERT_EQ(reports.size(), c.counts.size());
        std::size_t offset = 0;
        for (std::size_t i = 0; i < reports.size(); ++i) {
            ASSERT_EQ(reports[i].size(), 61u);
            EXPECT_EQ(reports[i][0], c.report_id);
            ASSERT_EQ(reports[i][1], c.counts[i]);
            EXPECT_TRUE(std::equal(data.begin() + offset, data.begin() + offset + c.counts[i],
                                   reports[i].begin() + 2));
            offset += c.counts[i];
        }
        EXPECT_EQ(offset, c.counts.empty() ? 0 : c.n);
    }
}

TEST(UsbHidDevice, OpensIndexZeroOfTheCardAndASecondOpenIsHarmless) {
    fake_hid_library lib;
    lib.devices = 1;
    UsbHidDevice device(lib);
    EXPECT_EQ(device.count_devices(), 1u);
    EXPECT_EQ(lib.last_vendor, 0x10C4);
    EXPECT_EQ(lib.last_product, 0x8468);
    ASSERT_EQ(device.open(), hid_success);
    EXPECT_EQ(lib.last_index, 0u);
    EXPECT_TRUE(device.reader_running());
    EXPECT_EQ(device.open(), hid_success);
    EXPECT_EQ(lib.open_calls, 1);
    EXPECT_EQ(device.close(), hid_success);
    EXPECT_FALSE(device.reader_running());
    EXPECT_FALSE(lib.is_open);
    // Closing what is not open is no failure.
    EXPECT_EQ(device.close(), hid_success);
    EXPECT_EQ(lib.close_calls, 1);
}

TEST(UsbHidDevice, FailedOpenStartsNoReader) {
    fake_hid_library lib;
    lib.open_result = hid_device_not_opened;
    UsbHidDevice device(lib);
    EXPECT_EQ(device.open(), hid_device_not_opened);
    EXPECT_FALSE(device.is_open());
    EXPECT_FALSE(device.reader_running());
}

TEST(UsbHidDevice, ReaderStoresOnlyReportIdsOneAndThree) {
    fake_hid_library lib;
    UsbHidDevice device(lib);
    ASSERT_EQ(device.open(), hid_success);
    lib.push_input(input_report(2, {0xAA, 0xAB}));
    lib.push_input(input_report(3, {1, 2, 3}));
    lib.push_input(input_report(4, {0xAC}));
    lib.push_input(input_report(1, {9}));
    lib.push_input(input_report(0, {0xAD}));
    lib.push_input(input_report(3, {4, 5}));
    lib.push_input({3}); // too short to hold a count
    // A count larger than the report: only what arrived is stored.
    lib.push_input({3, 200, 6});
    ASSERT_TRUE(lib.drained());
    std::vector<std::uint8_t> out(16);
    std::size_t count = 6;
    ASSERT_TRUE(device.read_channel(3, out.data(), out.size(), count, 1000));
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + count),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    count = 1;
    ASSERT_TRUE(device.read_channel(1, out.data(), out.size(), count, 0));
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(out[0], 9);
    count = 1;
    EXPECT_FALSE(device.read_channel(2, out.data(), out.size(), count, 0));
    device.close();
}

TEST(UsbHidDevice, RingHoldsAtMost8191BytesAndCountsTheDropped) {
    fake_hid_library lib;
    UsbHidDevice device(lib);
    ASSERT_EQ(device.open(), hid_success);
    // 142 reports of 58 bytes = 8236 bytes: 45 too many.
    for (int i = 0; i < 142; ++i)
        lib.push_input(input_report(3, bytes(58, static_cast<std::uint8_t>(i))));
    ASSERT_TRUE(lib.drained());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(device.buffered(3), 8191u);
    EXPECT_EQ(device.dropped(3), 142u * 58 - 8191);
    EXPECT_EQ(device.buffered(1), 0u);

    // The oldest bytes are kept, in order.
    std::vector<std::uint8_t> out(10000);
    std::size_t count = 8191;
    ASSERT_TRUE(device.read_channel(3, out.data(), out.size(), count, 0));
    ASSERT_EQ(count, 8191u);
    EXPECT_EQ(out[57], 57);
    EXPECT_EQ(out[58], 1);
    // Room again after reading; flush empties and zeroes the counter.
    lib.push_input(input_report(3, {7}));
    ASSERT_TRUE(lib.drained());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(device.buffered(3), 1u);
    device.flush_channel(3);
    EXPECT_EQ(device.buffered(3), 0u);
    EXPECT_EQ(device.dropped(3), 0u);
    device.close();
}

TEST(ReceiveRing, WrapsAroundItsBuffer) {
    ReceiveRing ring;
    std::vector<std::uint8_t> out(ReceiveRing::size);
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = 0; i < 5000; ++i)
            ASSERT_TRUE(ring.put(static_cast<std::uint8_t>(i + round)));
        ASSERT_EQ(ring.take(out.data(), 3000), 3000u);
        EXPECT_EQ(out[0], static_cast<std::uint8_t>(round));
        ASSERT_EQ(ring.take(out.data(), 9000), 2000u);
        EXPECT_EQ(out[1999], static_cast<std::uint8_t>(4999 + round));
        EXPECT_EQ(ring.count(), 0u);
    }
    EXPECT_EQ(ring.dropped(), 0u);
}

// The time-out rule of read_channel: each row puts some bytes in the ring at once, more
// later, and says what a read wanting `wanted` bytes with `timeout` gets and how long it
// takes at least / at most.
TEST(UsbHidDevice, ReadChannelTimeOutRule) {
    struct case_t {
        const char* what;
        std::size_t ready; // bytes buffered before the read
        std::size_t late;  // bytes arriving 30 ms into the read
        std::size_t wanted;
        std::size_t capacity;
        int timeout;
        bool result;
        std::size_t got;
        int min_ms, max_ms;
    };
    const case_t cases[] = {
        {"enough already: no wait", 26, 0, 26, 26, 5000, true, 26, 0, 500},
        {"capacity limits the move", 26, 0, 10, 16, 5000, true, 16, 0, 500},
        {"short answer: 10 of 26 after the time-out", 10, 0, 26, 26, 150, true, 10, 140, 1000},
        {"late bytes complete the read early", 0, 26, 26, 26, 5000, true, 26, 25, 1000},
        {"late but short", 0, 10, 26, 26, 150, true, 10, 140, 1000},
        {"nothing at all", 0, 0, 1, 1, 150, false, 0, 140, 1000},
        {"time-out 0 with too little: nothing moved", 10, 0, 26, 26, 0, false, 0, 0, 100},
        {"time-out 0 with enough", 30, 0, 26, 64, 0, true, 30, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fake_hid_library lib;
        UsbHidDevice device(lib);
        ASSERT_EQ(device.open(), hid_success);
        if (c.ready) {
            lib.push_input(input_report(3, bytes(c.ready)));
            ASSERT_TRUE(lib.drained());
            while (device.buffered(3) < c.ready)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::thread late;
        if (c.late)
            late = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                lib.push_input(input_report(3, bytes(c.late)));
            });
        std::vector<std::uint8_t> out(64);
        std::size_t count = c.wanted;
        auto start = clock_type::now();
        bool result = device.read_channel(3, out.data(), c.capacity, count, c.timeout);
        long long took = elapsed_ms(start);
        if (late.joinable())
            late.join();
        EXPECT_EQ(result, c.result);
        if (c.result) {
            EXPECT_EQ(count, c.got);
        }
        EXPECT_GE(took, c.min_ms);
        EXPECT_LE(took, c.max_ms);
        device.close();
    }
}

// Reports that trickle in wake the reader of the channel many times; the deadline stays
// the one set when the read began.
TEST(UsbHidDevice, ReadChannelDeadlineDoesNotMoveWithWakeUps) {
    fake_hid_library lib;
    UsbHidDevice device(lib);
    ASSERT_EQ(device.open(), hid_success);
    std::atomic<bool> stop{false};
    std::thread trickle([&] {
        while (!stop) {
            lib.push_input(input_report(3, {1}));
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
    });
    std::vector<std::uint8_t> out(1000);
    std::size_t count = 1000;
    auto start = clock_type::now();
    EXPECT_TRUE(device.read_channel(3, out.data(), out.size(), count, 200));
    long long took = elapsed_ms(start);
    stop = true;
    trickle.join();
    EXPECT_GE(took, 190);
    EXPECT_LT(took, 600);
    EXPECT_GT(count, 3u);
    EXPECT_LT(count, 40u);
    device.close();
}

TEST(UsbHidDevice, StopReaderWithinItsWaitThenClose) {
    fake_hid_library lib;
    lib.read_wait_ms = 50;
    UsbHidDevice device(lib);
    ASSERT_EQ(device.open(), hid_success);
    auto start = clock_type::now();
    EXPECT_TRUE(device.stop_reader(5000));
    EXPECT_LT(elapsed_ms(start), 1000);
    EXPECT_FALSE(device.reader_running());
    EXPECT_TRUE(device.is_open());
    EXPECT_EQ(device.close(), hid_success);
    EXPECT_FALSE(lib.is_open);
}

// The card is pulled while open: the reader's reads fail until the removal handling closes
// the device. The reader must neither spin nor keep the close waiting.
TEST(UsbHidDevice, ReaderSurvivesAVanishedDevice) {
    fake_hid_library lib;
    UsbHidDevice device(lib);
    ASSERT_EQ(device.open(), hid_success);
    lib.read_failure = hid_transfer_failed;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(device.reader_running());
    std::uint8_t b;
    std::size_t count = 1;
    EXPECT_FALSE(device.read_channel(3, &b, 1, count, 30));
    auto start = clock_type::now();
    EXPECT_EQ(device.close(), hid_success);
    EXPECT_LT(elapsed_ms(start), 500);
    EXPECT_LT(lib.read_calls, 40);
}

TEST(UsbHidDevice, FailedCloseKeepsTheDeviceAndAnOpenRestartsItsReader) {
    fake_hid_library lib;
    UsbHidDevice device(lib);
    ASSERT_EQ(device.open(), hid_success);
    lib.close_result = hid_transfer_failed;
    EXPECT_EQ(device.close(), hid_transfer_failed);
    EXPECT_TRUE(device.is_open());
    EXPECT_FALSE(device.reader_running());
    EXPECT_EQ(device.open(), hid_success);
    EXPECT_TRUE(device.reader_running());
    EXPECT_EQ(lib.open_calls, 1);
    lib.close_result = hid_success;
}

} // namespace
