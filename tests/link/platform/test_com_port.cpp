#include "../fake_hid_library.h"
#include "../memory_settings.h"
#include "link/CSerialHandler.h"
#include "link/frame.h"
#include "link/link_messages.h"
#include "link/link_state.h"
#include "link/platform/termios_serial_port.h"
#include "pty_card.h"
#include "tests/support/scripted_ui.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using clock_type = std::chrono::steady_clock;

long long elapsed_ms(clock_type::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock_type::now() - since).count();
}

const std::uint8_t end_payload[] = {'E', 'N', 'D'};
const std::vector<std::uint8_t> end_frame{0x02, 'E', 'N', 'D', 0x03, 0x4C};
constexpr std::uint8_t nak = 0x15;

// The COM link on a pseudo-terminal, with short time-outs.
struct com_fixture {
    com_fixture() {
        settings.values["Settings/UseLink"] = "COM";
        settings.values["Settings/ComPort"] = card.path();
        link.timing().com_read_timeout_ms = 300;
        link.load_settings();
    }

    scripted_ui ui;
    memory_settings settings;
    fake_hid_library lib;
    UsbHidDevice usb{lib};
    link_state link{settings, usb, termios_serial_port::create, ui};
    pty_card card;
};

TEST(ComPort, OpenResults) {
    com_fixture f;
    ASSERT_FALSE(f.card.path().empty());
    char regular[] = "/tmp/tessaly_not_a_port_XXXXXX";
    int fd = mkstemp(regular);
    ASSERT_GE(fd, 0);
    close(fd);
    struct case_t {
        std::string port;
        std::string mode;
        int result;
    };
    const case_t cases[] = {
        {f.card.path(), "19200,n,8,1", com_open_ok},
        {f.card.path(), "19200,n,8", com_bad_settings},
        {f.card.path(), "12345,n,8,1", com_cannot_configure}, // no such speed
        {"/dev/tessaly-no-such-port", "19200,n,8,1", com_cannot_open},
        {"COM256", "19200,n,8,1", com_cannot_open}, // /dev/ttyS255: no such device
        {regular, "19200,n,8,1", com_cannot_open},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port + " " + c.mode);
        {
            CSerialHandler handler(f.link);
            EXPECT_EQ(handler.open_com(c.port, c.mode), c.result);
            EXPECT_EQ(handler.com_open(), c.result == com_open_ok);
            if (c.result == com_open_ok) {
                EXPECT_EQ(handler.read_timeout(), 300);
            }
        }
        // Whatever happened, the port is free again.
        termios_serial_port probe;
        EXPECT_TRUE(probe.open(f.card.path()));
    }
    std::remove(regular);
    EXPECT_TRUE(f.ui.texts().empty());
}

// Another program holds the port: the open is refused until that program lets it go.
TEST(ComPort, PortHeldByAnotherProgram) {
    com_fixture f;
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        termios_serial_port holder;
        char c = holder.open(f.card.path()) ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    {
        CSerialHandler handler(f.link);
        EXPECT_EQ(handler.open_com(f.card.path(), "19200,n,8,1"), com_cannot_open);
    }
    ASSERT_EQ(write(release[1], "x", 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        close(fd);
    CSerialHandler handler(f.link);
    EXPECT_EQ(handler.open_com(f.card.path(), "19200,n,8,1"), com_open_ok);
    // While we hold it, a second handler is refused as well.
    CSerialHandler second(f.link);
    EXPECT_EQ(second.open_com(f.card.path(), "19200,n,8,1"), com_cannot_open);
}

TEST(ComPort, FramesAndAcknowledgements) {
    struct case_t {
        const char* what;
        std::deque<int> script;
        int otherwise;
        int calls;
        std::vector<bool> results;
        std::size_t frames;
        int min_ms, max_ms;
    };
    const case_t cases[] = {
        {"acknowledged at once", {}, frame_ack, 1, {true}, 1, 0, 250},
        {"refused twice, then acknowledged", {nak, nak}, frame_ack, 1, {true}, 3, 0, 250},
        {"silent once: one read time-out", {-1}, frame_ack, 1, {true}, 2, 290, 1500},
        {"refused for good: 4 calls x 3 transmissions",
         {},
         nak,
         4,
         {false, false, false, false},
         12,
         0,
         1000},
        {"silent card: 3 read time-outs", {}, -1, 1, {false}, 3, 890, 2500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        com_fixture f;
        f.card.serve(c.script, c.otherwise);
        {
            CSerialHandler handler(f.link);
            ASSERT_EQ(handler.open_com(f.link.com_port(), "19200,n,8,1"), com_open_ok);
            auto start = clock_type::now();
            for (int call = 0; call < c.calls; ++call)
                EXPECT_EQ(handler.send_frame(end_payload, 3), c.results[call]);
            long long took = elapsed_ms(start);
            EXPECT_GE(took, c.min_ms);
            EXPECT_LE(took, c.max_ms);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        auto frames = f.card.frames();
        EXPECT_EQ(frames.size(), c.frames);
        for (const auto& frame : frames)
            EXPECT_EQ(frame, end_frame);
        EXPECT_TRUE(f.ui.texts().empty());
    }
}

TEST(ComPort, ReceiveShortAnswersAndReadErrors) {
    com_fixture f;
    CSerialHandler handler(f.link);
    ASSERT_EQ(handler.open_com(f.link.com_port(), "19200,n,8,1"), com_open_ok);
    ASSERT_TRUE(handler.set_timeout(100));

    std::vector<std::uint8_t> sent(26);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>(i * 7);
    f.card.send(sent);
    std::uint8_t buffer[26] = {};
    EXPECT_EQ(handler.receive(buffer, 26), 26u);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), buffer));

    // 10 of 26 bytes: the count comes back after the time-out, without a message.
    f.card.send(std::vector<std::uint8_t>(10, 0x55));
    auto start = clock_type::now();
    EXPECT_EQ(handler.receive(buffer, 26), 10u);
    EXPECT_GE(elapsed_ms(start), 90);
    // Nothing at all on the COM link is a short count too.
    EXPECT_EQ(handler.receive(buffer, 26), 0u);
    EXPECT_TRUE(f.ui.texts().empty());

    // The far end is gone: a read error.
    f.card.hang_up();
    EXPECT_EQ(handler.receive(buffer, 26), 0u);
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{msg_read_failed});
}

TEST(ComPort, TimeOutNeedsAnOpenPort) {
    com_fixture f;
    CSerialHandler handler(f.link);
    EXPECT_FALSE(handler.set_timeout(5000));
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{msg_timeouts_failed});
    std::size_t n = 1;
    EXPECT_FALSE(handler.write_bytes(end_payload, 3, n));
    EXPECT_EQ(n, 0u);
}

// The port belongs to the COM link only: with USB selected the handler does not use it.
TEST(ComPort, OnlyTheSelectedLinkCarriesBytes) {
    com_fixture f;
    f.settings.values["Settings/UseLink"] = "USB";
    f.link.load_settings();
    f.card.serve({}, frame_ack);
    CSerialHandler handler(f.link);
    ASSERT_EQ(handler.open_com(f.card.path(), "19200,n,8,1"), com_open_ok);
    EXPECT_FALSE(handler.send_frame(end_payload, 3));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_TRUE(f.card.frames().empty());
}

} // namespace
