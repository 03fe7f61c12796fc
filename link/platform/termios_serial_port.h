#pragma once
// The COM port adapter on POSIX terminals: serial devices (/dev/ttyUSB0, /dev/ttyS0) and
// pseudo-terminals alike. A name COMn opens /dev/ttyS<n-1>, any other name is a device path
// (serial_port_names.h). Exclusive access takes an advisory lock on the open port and sets
// TIOCEXCL, so a port that another program holds is refused rather than shared.

#include "link/serial_port.h"

class termios_serial_port : public serial_port {
  public:
    termios_serial_port() = default;
    ~termios_serial_port() override;
    termios_serial_port(const termios_serial_port&) = delete;
    termios_serial_port& operator=(const termios_serial_port&) = delete;

    bool open(const std::string& name) override;
    bool configure(const serial_settings& settings) override;
    bool set_read_timeout(int total_ms) override;
    bool read(std::uint8_t* buffer, std::size_t n, std::size_t& got) override;
    bool write(const std::uint8_t* data, std::size_t n, std::size_t& written) override;
    void close() override;
    bool is_open() const override { return fd_ >= 0; }
    std::string failure_cause() const override { return failure_cause_; }

    // The factory programs install in their link state.
    static std::unique_ptr<serial_port> create();

  private:
    int fd_ = -1;
    int read_timeout_ms_ = 0;
    std::string failure_cause_;
};
