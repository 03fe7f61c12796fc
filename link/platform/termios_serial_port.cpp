#include "link/platform/termios_serial_port.h"

#include "link/link_messages.h"
#include "link/platform/serial_port_names.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace {

struct baud_entry {
    int baud;
    speed_t speed;
};
constexpr baud_entry baud_rates[] = {
    {110, B110},       {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
    {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool speed_for(int baud, speed_t& speed) {
    for (const auto& entry : baud_rates)
        if (entry.baud == baud) {
            speed = entry.speed;
            return true;
        }
    return false;
}

struct data_bits_entry {
    int bits;
    tcflag_t flag;
};
constexpr data_bits_entry data_bit_flags[] = {{5, CS5}, {6, CS6}, {7, CS7}, {8, CS8}};

struct parity_entry {
    char letter;
    tcflag_t flags;
};
constexpr parity_entry parity_flags[] = {{'n', 0},
                                         {'e', PARENB},
                                         {'o', PARENB | PARODD},
                                         {'m', PARENB | PARODD | CMSPAR},
                                         {'s', PARENB | CMSPAR}};

// The reason for a failed system call, in the words the editor shows beneath its message.
struct cause_entry {
    int error;
    const char* cause;
};
constexpr cause_entry error_causes[] = {
    {EACCES, cause_permission_denied}, {EPERM, cause_permission_denied},
    {ENOENT, cause_no_such_file},      {ENODEV, cause_no_such_file},
    {ENXIO, cause_no_such_file},       {EBUSY, cause_device_busy},
    {EWOULDBLOCK, cause_device_busy},  {ENOTTY, cause_not_a_port},
};

std::string cause_of(int error) {
    for (const auto& entry : error_causes)
        if (entry.error == error)
            return entry.cause;
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

termios_serial_port::~termios_serial_port() {
    close();
}

std::unique_ptr<serial_port> termios_serial_port::create() {
    return std::make_unique<termios_serial_port>();
}

bool termios_serial_port::open(const std::string& name) {
    close();
    failure_cause_.clear();
    const std::string path = port_device_path(name);
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure_cause_ = cause_of(errno);
        return false;
    }
    // Only a terminal is a port. The advisory lock refuses a port another program holds
    // (it also binds privileged users, whom TIOCEXCL does not stop); TIOCEXCL keeps
    // programs that do not lock from opening it while we have it.
    const bool usable = isatty(fd) && flock(fd, LOCK_EX | LOCK_NB) == 0 && ioctl(fd, TIOCEXCL) == 0;
    if (!usable) {
        failure_cause_ = cause_of(errno);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool termios_serial_port::configure(const serial_settings& settings) {
    if (fd_ < 0)
        return false;
    speed_t speed = B0;
    tcflag_t size_flag = 0, parity = 0;
    bool size_ok = false, parity_ok = false;
    for (const auto& entry : data_bit_flags)
        if (entry.bits == settings.data_bits) {
            size_flag = entry.flag;
            size_ok = true;
        }
    for (const auto& entry : parity_flags)
        if (entry.letter == settings.parity) {
            parity = entry.flags;
            parity_ok = true;
        }
    if (!speed_for(settings.baud, speed) || !size_ok || !parity_ok ||
        (settings.stop_bits != 1 && settings.stop_bits != 2)) {
        failure_cause_ = cause_unsupported_settings;
        return false;
    }

    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) {
        failure_cause_ = cause_of(errno);
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= size_flag | parity | CLOCAL | CREAD;
    if (settings.stop_bits == 2)
        tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // Reads are timed by poll(); the terminal itself never waits.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0 ||
        tcsetattr(fd_, TCSANOW, &tio) != 0) {
        failure_cause_ = cause_of(errno);
        return false;
    }
    // Whatever was waiting in the port before belongs to nobody.
    tcflush(fd_, TCIOFLUSH);
    return true;
}

bool termios_serial_port::set_read_timeout(int total_ms) {
    if (fd_ < 0 || total_ms < 0)
        return false;
    read_timeout_ms_ = total_ms;
    return true;
}

bool termios_serial_port::read(std::uint8_t* buffer, std::size_t n, std::size_t& got) {
    got = 0;
    if (fd_ < 0)
        return false;
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(read_timeout_ms_);
    while (got < n) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        pollfd p{fd_, POLLIN, 0};
        int ready = poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (ready == 0)
            break; // time-out: a short count, not an error
        ssize_t r = ::read(fd_, buffer + got, n - got);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
        } else if (r < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        } else {
            // End of file or an error: the far end of the line is gone.
            return false;
        }
    }
    return true;
}

bool termios_serial_port::write(const std::uint8_t* data, std::size_t n, std::size_t& written) {
    written = 0;
    if (fd_ < 0)
        return false;
    while (written < n) {
        ssize_t r = ::write(fd_, data + written, n - written);
        if (r > 0) {
            written += static_cast<std::size_t>(r);
        } else if (r < 0 && errno == EAGAIN) {
            // Writes have no time-out: wait until the port takes more.
            pollfd p{fd_, POLLOUT, 0};
            if (poll(&p, 1, -1) < 0 && errno != EINTR)
                return false;
        } else if (!(r < 0 && errno == EINTR)) {
            return false;
        }
    }
    return true;
}

void termios_serial_port::close() {
    if (fd_ < 0)
        return;
    // TIOCEXCL outlives our descriptor while someone else keeps the terminal open (a
    // pseudo-terminal's far end); clear it so that the port is free again.
    ioctl(fd_, TIOCNXCL);
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}
