#pragma once
// What live values take from a map: its registers with their value layouts, and how to
// reach the card's host side. This is the one place that reads the map's protocol header
// for live values (protocol, byte order, serial settings, node number, IP address).

#include "live/value_layout.h"

#include <optional>
#include <string>
#include <vector>

class zrp_file;

// One register as live values show it.
struct live_register {
    int number = 0;
    int feeder = 0;
    std::string name; // empty for bitmapped and ROM-constant registers
    value_layout layout;
    int index = 0; // position in the map's register list
};

// The map's registers in register order (by number, the list's order among equal numbers),
// laid out for the header's byte order.
std::vector<live_register> live_registers(const zrp_file& map);

enum class link_transport { tcp, rtu };

struct connection_settings {
    link_transport transport = link_transport::tcp;
    std::string host; // TCP: empty when the map names no address
    int port = 502;
    std::string device; // RTU: the serial port (empty until given)
    int baud = 19200;
    char parity = 'N'; // 'N', 'E' or 'O'
    int data_bits = 8;
    int stop_bits = 1;
    int unit = 1;
    int timeout_ms = 1000;

    // HOST:PORT or the device path, as messages name the card.
    std::string target() const;
    bool operator==(const connection_settings&) const = default;
};

// How the map's card is reached by default: Modbus/TCP at the map's IP address, port 502,
// unit 1; Modbus (RTU) with the PLC_CHAN settings and the node number as slave address.
// Nothing, with the message to show, for a map that is neither, or in ASCII mode.
std::optional<connection_settings> connection_defaults(const zrp_file& map, std::string& message);

// The node number the card answers to on a serial line (its RTU slave address).
int node_number(const zrp_file& map);
