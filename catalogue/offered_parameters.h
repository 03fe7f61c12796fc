#pragma once
// The parameter names the catalogue offers for a device: what the register dialog would let a
// user pick in a map of that device.

#include "catalogue/parameter_list.h"

#include <functional>
#include <set>
#include <string>

using parameter_names = std::set<std::string, std::less<>>;

// Every parameter name shown for device_code (devices for another controller kind are left
// out with their whole subtree, as the register dialog leaves them out).
parameter_names offered_parameters(parameter_list& catalogue, int device_code);
