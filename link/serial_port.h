#pragma once
// The COM port adapter: the few operating-system serial calls the link needs. The real
// implementation (link/platform/termios_serial_port.h) also serves pseudo-terminals, which
// is how the card emulator is reached in tests.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// A port configuration built from a mode text such as "19200,n,8,1".
struct serial_settings {
    int baud = 19200;
    char parity = 'n'; // 'n' none, 'e' even, 'o' odd, 'm' mark, 's' space
    int data_bits = 8; // 5 to 8
    int stop_bits = 1; // 1 or 2
    bool operator==(const serial_settings&) const = default;
};

// Parses "baud,parity,data bits,stop bits" (parity letters in either case). False, with
// `out` untouched, when the text is not such a mode.
bool parse_serial_settings(const std::string& text, serial_settings& out);

class serial_port {
  public:
    virtual ~serial_port() = default;

    // Opens the named port for reading and writing with exclusive access. How a name maps to
    // a device is the platform's (see the implementation). False when the port does not
    // exist, is held by another program or cannot be opened.
    virtual bool open(const std::string& name) = 0;
    // Applies baud rate, parity, data and stop bits, and arms the port for received
    // characters. False when the port refuses them.
    virtual bool configure(const serial_settings& settings) = 0;
    // Sets the total read time-out in milliseconds: a read returns when all wanted bytes
    // arrived or this time has passed since it started. Writes never time out.
    virtual bool set_read_timeout(int total_ms) = 0;
    // Reads up to n bytes (see set_read_timeout). True with the count (possibly short, even
    // 0 on a time-out); false on a read error.
    virtual bool read(std::uint8_t* buffer, std::size_t n, std::size_t& got) = 0;
    // Writes the n bytes. True with the count written; false on a write error.
    virtual bool write(const std::uint8_t* data, std::size_t n, std::size_t& written) = 0;
    // Releases the port; safe when it is not open.
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Why the last open or configure failed, in a few words ("Permission denied"); empty
    // when the implementation cannot tell.
    virtual std::string failure_cause() const { return {}; }
};

// Makes a new, closed port object. Programs install the platform's factory in the link state.
using serial_port_factory = std::function<std::unique_ptr<serial_port>()>;
