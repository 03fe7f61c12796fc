#include "link/frame.h"
#include "link/serial_port.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::vector<std::uint8_t> frame_of(const std::string& payload) {
    return build_frame(reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size());
}

TEST(Frame, BlockCheck) {
    struct case_t {
        std::string payload;
        std::uint8_t check;
    };
    const case_t cases[] = {
        {"END", 0x4C},        {"ACK 26", 0x6E}, {"", 0x03}, // only ETX
        {"\x03", 0xFF},                                     // XOR 0 is sent as 0xFF
        {"AB\x03\x03", 0xFF}, // a longer payload whose XOR with ETX is 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.payload);
        auto frame = frame_of(c.payload);
        ASSERT_EQ(frame.size(), c.payload.size() + 3);
        EXPECT_EQ(frame.front(), frame_stx);
        EXPECT_EQ(frame[frame.size() - 2], frame_etx);
        EXPECT_EQ(frame.back(), c.check);
        EXPECT_EQ(frame_checksum(reinterpret_cast<const std::uint8_t*>(c.payload.data()),
                                 c.payload.size()),
                  c.check);
    }
}

TEST(Frame, EndFrameBytes) {
    EXPECT_EQ(frame_of("END"), (std::vector<std::uint8_t>{0x02, 0x45, 0x4E, 0x44, 0x03, 0x4C}));
}

TEST(SerialSettings, ModeTexts) {
    struct case_t {
        const char* text;
        bool ok;
        serial_settings expected;
    };
    const case_t cases[] = {
        {"19200,n,8,1", true, {19200, 'n', 8, 1}},
        {"9600,E,7,2", true, {9600, 'e', 7, 2}},
        {" 19200 , o , 8 , 1 ", true, {19200, 'o', 8, 1}},
        {"19200,n,8", false, {}},
        {"19200,n,8,1,1", false, {}},
        {"19200,x,8,1", false, {}},
        {"19200,n,9,1", false, {}},
        {"19200,n,8,3", false, {}},
        {"-5,n,8,1", false, {}},
        {"fast,n,8,1", false, {}},
        {"", false, {}},
        {"19200,,8,1", false, {}},
        {"99999999999999,n,8,1", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const serial_settings untouched{1, 'q', 0, 0};
        serial_settings out = untouched;
        EXPECT_EQ(parse_serial_settings(c.text, out), c.ok);
        EXPECT_EQ(out, c.ok ? c.expected : untouched);
    }
}

} // namespace
