#include "live/live_map.h"

#include "format/ip_address.h"
#include "live/live_messages.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <charconv>

namespace {

// The header's byte order code for LSBYTE_FIRST.
constexpr int lsbyte_first_code = 1;
// The header's mode code for ASCII.
constexpr int ascii_mode_code = 1;

struct serial_word {
    int index;
    int value;
};
constexpr serial_word parity_letters[] = {{0, 'N'}, {1, 'E'}, {2, 'O'}};
constexpr serial_word stop_bit_counts[] = {{0, 1}, {1, 2}};

template <std::size_t N> int serial_value(const serial_word (&table)[N], int index) {
    for (const auto& row : table)
        if (row.index == index)
            return row.value;
    return table[0].value;
}

int baud_of(int index) {
    auto word = baud_words().word_or_default(index);
    int baud = 19200;
    std::from_chars(word.data(), word.data() + word.size(), baud);
    return baud;
}

} // namespace

std::string connection_settings::target() const {
    if (transport == link_transport::rtu)
        return device;
    return host + ":" + std::to_string(port);
}

std::vector<live_register> live_registers(const zrp_file& map) {
    bool lsbyte_first = map.header && map.header->byte_order == lsbyte_first_code;
    std::vector<live_register> out;
    for (std::size_t i = 0; i < map.registers.size(); ++i) {
        const auto& reg = *map.registers[i];
        live_register r;
        r.number = reg.register_number;
        r.feeder = reg.feeder;
        bool unnamed = reg.format == fmt_commands || reg.format == fmt_status ||
                       reg.format == fmt_rom_constant;
        r.name = unnamed ? std::string() : reg.name;
        r.layout = layout_of(reg, lsbyte_first);
        r.index = static_cast<int>(i);
        out.push_back(std::move(r));
    }
    std::stable_sort(out.begin(), out.end(), [](const live_register& a, const live_register& b) {
        return a.number < b.number;
    });
    return out;
}

std::optional<connection_settings> connection_defaults(const zrp_file& map, std::string& message) {
    const auto* header = map.header.get();
    int protocol = header ? header->protocol_code() : protocol_generic;
    connection_settings settings;
    if (protocol == protocol_modbus_tcp) {
        if (header->ip_address != 0)
            settings.host = format_dotted(header->ip_address);
        return settings;
    }
    if (protocol != protocol_modbus) {
        message = live_messages::not_modbus;
        return std::nullopt;
    }
    if (header->mode == ascii_mode_code) {
        message = live_messages::ascii_mode;
        return std::nullopt;
    }
    settings.transport = link_transport::rtu;
    settings.baud = baud_of(header->baud);
    settings.parity = static_cast<char>(serial_value(parity_letters, header->parity));
    settings.stop_bits = serial_value(stop_bit_counts, header->stop_bits);
    settings.unit = header->node;
    return settings;
}

int node_number(const zrp_file& map) {
    return map.header ? map.header->node : 0;
}
