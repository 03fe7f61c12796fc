#pragma once
// The device rule of the host protocol selection: which protocols a device allows, and how a
// checked protocol the device does not allow falls back. The selection dialog runs it whenever
// the device changes and once more on OK; the Import command runs it on its confirmed choice.

#include <array>
#include <string>
#include <string_view>

class zrp_file;

// The host protocol selection dialog: the checked protocol position (-1 none) and device word.
struct host_selection_values {
    int protocol_position = -1;
    std::string device_word;
};

constexpr int host_protocol_choices = 9;

// Adjusts position (-1 = none checked) for device_word and returns which of the nine protocol
// buttons stay enabled:
//  "WNT": positions above 2 fall back to 0; only Allen-Bradley, Modbus and Siemens remain.
//  "RDX"/"HQP": Siemens falls back to 0; every protocol but Siemens remains.
//  any other: positions above 7 fall back to 0; every protocol but Profinet IO remains.
std::array<bool, host_protocol_choices> apply_host_device_rule(int& position,
                                                               std::string_view device_word);

// The values the selection starts from for a map: its protocol's position (0 when it has none)
// and its device word ("BLF" without a header).
host_selection_values protocol_selection(const zrp_file& map);
// Applies a confirmed selection to a map and sets the network protocol flag. When the protocol
// or the device differs (or there is no header), the header is replaced by the chosen
// protocol's at its defaults and true is returned: its settings dialog comes next. The
// register list stays as it is.
bool apply_protocol_selection(zrp_file& map, const host_selection_values& chosen);
