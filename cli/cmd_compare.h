#pragma once
// verify, shared by its own command and send --verify.

#include "cli/command_link.h"

#include <string>

// Extracts the configuration the card holds for the map's device and compares it with the map
// as the card would hold it (encoded to a device image and decoded again). Prints the
// differences, says whether the card holds the map, and returns the answer status.
int verify_map(const std::string& file, const link_options& options);
