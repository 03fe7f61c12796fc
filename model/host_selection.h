#pragma once
// The device rule of the host protocol selection: which protocols a device allows, and how a
// checked protocol the device does not allow falls back. The selection dialog runs it whenever
// the device changes and once more on OK; the Import command runs it on its confirmed choice.

#include <array>
#include <string_view>

constexpr int host_protocol_choices = 9;

// Adjusts position (-1 = none checked) for device_word and returns which of the nine protocol
// buttons stay enabled:
//  "WNT": positions above 2 fall back to 0; only Allen-Bradley, Modbus and Siemens remain.
//  "RDX"/"HQP": Siemens falls back to 0; every protocol but Siemens remains.
//  any other: positions above 7 fall back to 0; every protocol but Profinet IO remains.
std::array<bool, host_protocol_choices> apply_host_device_rule(int& position,
                                                               std::string_view device_word);
