#include "model/header_values.h"

int* header_values::integer(header_field field) {
    return const_cast<int*>(static_cast<const header_values*>(this)->integer(field));
}

const int* header_values::integer(header_field field) const {
    switch (field) {
    case header_field::baud:
        return &baud;
    case header_field::data_bits:
        return &data_bits;
    case header_field::parity:
        return &parity;
    case header_field::stop_bits:
        return &stop_bits;
    case header_field::mode:
        return &mode;
    case header_field::byte_order:
        return &byte_order;
    case header_field::node:
        return &node;
    case header_field::regmax:
        return &regmax;
    case header_field::source_id:
        return &source_id;
    case header_field::number_of_words:
        return &number_of_words;
    case header_field::offset_in_gdb:
        return &offset_in_gdb;
    case header_field::input_size:
        return &input_size;
    case header_field::output_size:
        return &output_size;
    case header_field::io_input_size:
        return &blocks.io_input_size;
    case header_field::io_output_size:
        return &blocks.io_output_size;
    default:
        return nullptr;
    }
}

std::uint32_t* header_values::address(header_field field) {
    return const_cast<std::uint32_t*>(static_cast<const header_values*>(this)->address(field));
}

const std::uint32_t* header_values::address(header_field field) const {
    switch (field) {
    case header_field::ip_address:
        return &ip_address;
    case header_field::network_mask:
        return &network_mask;
    case header_field::default_gateway:
        return &default_gateway;
    default:
        return nullptr;
    }
}
