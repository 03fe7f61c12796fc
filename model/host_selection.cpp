#include "model/host_selection.h"

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
