#pragma once
// Every value a protocol header holds, as a settings form shows it and a settings dialog edits
// it. A protocol uses the common serial values and those its description names; the others
// keep their defaults.

#include "model/block_layout.h"

#include <cstdint>

// The values a protocol's description can name.
enum class header_field : unsigned char {
    baud,
    data_bits,
    parity,
    stop_bits,
    mode,
    byte_order,
    node,
    regmax,
    source_id,
    number_of_words,
    offset_in_gdb,
    ip_address,
    network_mask,
    default_gateway,
    input_size,
    output_size,
    io_input_size,
    io_output_size,
};

struct header_values {
    int baud = 1;       // "9600" 0, "19200" 1, "38400" 2, "57600" 3
    int data_bits = 8;  // 7 or 8
    int parity = 0;     // "NOPARITY" 0, "EVEN_PARITY" 1, "ODD_PARITY" 2
    int stop_bits = 0;  // "1STOPBIT" 0, "2STOPBITS" 1
    int mode = 0;       // "RTU" 0, "ASCII" 1, "BCC" 2, "CRC" 3
    int byte_order = 0; // "MSBYTE_FIRST" 0, "LSBYTE_FIRST" 1
    int node = 0;
    int regmax = 65535;
    // Modbus Plus global data.
    int source_id = 0;
    int number_of_words = 0;
    int offset_in_gdb = 0;
    // TCP/IP settings, first octet in the most significant byte.
    std::uint32_t ip_address = 0;
    std::uint32_t network_mask = 0;
    std::uint32_t default_gateway = 0;
    // Block sizes: Profibus in registers (0 to 244), Profinet IO in bytes (0 to 1536).
    int input_size = 0;
    int output_size = 0;
    // The block table of DeviceNet and EtherNet/IP, with their I/O sizes.
    block_layout blocks;

    bool operator==(const header_values&) const = default;

    // The integer a field names, or nullptr for an address; the address a field names, or
    // nullptr for an integer.
    int* integer(header_field field);
    const int* integer(header_field field) const;
    std::uint32_t* address(header_field field);
    const std::uint32_t* address(header_field field) const;
};
