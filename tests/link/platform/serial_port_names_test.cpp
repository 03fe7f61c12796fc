// COM port names and the reasons a port cannot be opened, on real files and pseudo-terminals.

#include "../fake_hid_library.h"
#include "../memory_settings.h"
#include "link/CSerialHandler.h"
#include "link/link_messages.h"
#include "link/link_state.h"
#include "link/platform/serial_port_names.h"
#include "link/platform/termios_serial_port.h"
#include "link/transfer_link.h"
#include "pty_card.h"
#include "tests/support/scripted_ui.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

TEST(PortNames, ComNamesOpenTheSerialDevices) {
    struct row {
        std::string name;
        std::string path;
    };
    const row rows[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM2", "/dev/ttyS1"},
        {"com3", "/dev/ttyS2"}, // as typed
        {"Com10", "/dev/ttyS9"},
        {"COM256", "/dev/ttyS255"},
        // Anything else is a device path, opened as it is.
        {"COM0", "COM0"},
        {"COM257", "COM257"},
        {"COM01", "COM01"},
        {"COM", "COM"},
        {"COM1 ", "COM1 "},
        {" COM1", " COM1"},
        {"COM1a", "COM1a"},
        {"COM-1", "COM-1"},
        {"COM+1", "COM+1"},
        {"COM99999999999999999999", "COM99999999999999999999"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/pts/3", "/dev/pts/3"},
        {"", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(port_device_path(r.name), r.path) << "'" << r.name << "'";
}

TEST(PortNames, SerialDevicesBackToComNames) {
    struct row {
        std::string path;
        unsigned highest;
        std::optional<std::string> name;
    };
    const row rows[] = {
        {"/dev/ttyS0", 9, "COM1"},           {"/dev/ttyS8", 9, "COM9"},
        {"/dev/ttyS9", 9, std::nullopt}, // COM10 is not in a list of nine
        {"/dev/ttyS9", 256, "COM10"},        {"/dev/ttyS255", 256, "COM256"},
        {"/dev/ttyS256", 256, std::nullopt}, {"/dev/ttyS01", 9, std::nullopt},
        {"/dev/ttyS", 9, std::nullopt},      {"/dev/ttyUSB0", 9, std::nullopt},
        {"/dev/ttyS1x", 9, std::nullopt},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(com_name_for_device(r.path, r.highest), r.name) << r.path;
        if (r.name) {
            EXPECT_EQ(port_device_path(*r.name), r.path);
        }
    }
}

// The cause a failed open gives, for a path that fails in a known way.
std::string open_cause(const std::string& path) {
    termios_serial_port port;
    EXPECT_FALSE(port.open(path)) << path;
    return port.failure_cause();
}

TEST(PortNames, FailedOpensSayWhy) {
    pty_card card;
    ASSERT_FALSE(card.path().empty());
    char regular[] = "/tmp/tessaly_not_a_port_XXXXXX";
    int fd = mkstemp(regular);
    ASSERT_GE(fd, 0);
    ::close(fd);

    EXPECT_EQ(open_cause("/dev/tessaly-no-such-port"), cause_no_such_file);
    EXPECT_EQ(open_cause("/tmp/tessaly-no-such-folder/port"), cause_no_such_file);
    EXPECT_EQ(open_cause(regular), cause_not_a_port);
    {
        termios_serial_port holder;
        ASSERT_TRUE(holder.open(card.path()));
        EXPECT_EQ(open_cause(card.path()), cause_device_busy);
    }
    termios_serial_port port;
    ASSERT_TRUE(port.open(card.path()));
    EXPECT_EQ(port.failure_cause(), "");
    EXPECT_FALSE(port.configure({12345, 'n', 8, 1}));
    EXPECT_EQ(port.failure_cause(), cause_unsupported_settings);
    std::remove(regular);
}

// A port the user may not open: a user other than the terminal's owner (root drops to
// nobody in a child process), or the owner after taking away the terminal's permissions.
TEST(PortNames, PermissionDeniedIsTold) {
    pty_card card;
    ASSERT_FALSE(card.path().empty());
    const bool root = geteuid() == 0;
    ASSERT_EQ(chmod(card.path().c_str(), root ? 0600 : 0), 0);
    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        termios_serial_port port;
        std::string cause = port.open(card.path()) ? "opened" : port.failure_cause();
        (void)!write(pipe_fds[1], cause.data(), cause.size());
        _exit(0);
    }
    ::close(pipe_fds[1]);
    char buffer[128] = {};
    ssize_t n = read(pipe_fds[0], buffer, sizeof buffer - 1);
    ::close(pipe_fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "could not drop privileges";
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0),
              cause_permission_denied);
}

// A transfer shows the fixed message, with the cause as its detailed text.
TEST(PortNames, TransferShowsTheCauseBesideTheFixedMessage) {
    scripted_ui ui;
    memory_settings settings;
    settings.values["Settings/UseLink"] = "COM";
    settings.values["Settings/ComPort"] = "/dev/tessaly-no-such-port";
    fake_hid_library lib;
    UsbHidDevice usb{lib};
    link_state link{settings, usb, termios_serial_port::create, ui};
    link.load_settings();
    CSerialHandler handler(link);
    EXPECT_FALSE(open_transfer_link(link, handler));
    ASSERT_EQ(ui.events.size(), 1u);
    EXPECT_EQ(ui.events[0].text, msg_com_open_failed);
    EXPECT_EQ(ui.events[0].detail, cause_no_such_file);
}

} // namespace
