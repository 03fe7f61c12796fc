#include "model/host_selection.h"

#include "model/model_tables.h"
#include "model/zrp_file.h"

namespace {

// Button positions of the selection dialog.
constexpr int siemens_position = 2;
constexpr int profibus_position = 3;
constexpr int ethernetip_position = 7;
constexpr int profinet_position = 8;

} // namespace

std::array<bool, host_protocol_choices> apply_host_device_rule(int& position,
                                                               std::string_view device_word) {
    std::array<bool, host_protocol_choices> enabled{};
    enabled.fill(true);
    enabled[profinet_position] = false;

    if (device_word == "WNT") {
        // Only the serial protocols.
        if (position > siemens_position)
            position = 0;
        for (int p = profibus_position; p <= ethernetip_position; ++p)
            enabled[static_cast<std::size_t>(p)] = false;
    } else if (device_word == "RDX" || device_word == "HQP") {
        if (position == siemens_position)
            position = 0;
        enabled[siemens_position] = false;
        enabled[profinet_position] = true;
    } else {
        if (position > ethernetip_position)
            position = 0;
    }
    return enabled;
}

host_selection_values protocol_selection(const zrp_file& map) {
    host_selection_values values;
    values.protocol_position = position_for_protocol_code(map.protocol_code);
    values.device_word =
        std::string(selection_word_for_device_code(map.header ? map.header->device_code : -1));
    return values;
}

bool apply_protocol_selection(zrp_file& map, const host_selection_values& chosen) {
    const int code = protocol_code_for_position(chosen.protocol_position);
    const int device = device_code_for_selection_word(chosen.device_word);
    const bool replaced =
        !map.header || device != map.header->device_code || code != map.protocol_code;
    if (replaced) {
        map.header.reset();
        map.create_header(code, device);
    }
    set_network_protocol_flag(code);
    return replaced;
}
