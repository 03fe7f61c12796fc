#pragma once
// What a protocol settings form currently shows, already mapped to header values. The Qt
// forms fill this record from their controls; a header's apply_form compares it with its own
// values and takes it over.

#include <cstdint>

struct protocol_form_values {
    bool filling = false; // the form is still copying header values into its controls
    int baud = 1;         // baud index
    int data_bits = 8;    // 7 or 8
    int parity = 0;
    int stop_bits = 0;
    int mode = 0; // mode index (RTU 0, ASCII 1, BCC 2, CRC 3) where the form has one
    int byte_order = 0;
    int node = 0;
    int source_id = 0;
    int number_of_words = 0;
    int offset_in_gdb = 0;
    std::uint32_t ip_address = 0;
    std::uint32_t network_mask = 0;
    std::uint32_t default_gateway = 0;
    int input_size = 0;
    int output_size = 0;
};
