#pragma once
// Dotted IPv4 addresses as the map files write them: four decimal parts, first octet in the
// most significant byte.

#include <cstdint>
#include <string>
#include <string_view>

std::string format_dotted(std::uint32_t address);
// Up to four parts separated by dots, each part's digits accumulated and kept to 8 bits;
// missing parts are 0; anything after the fourth part is ignored.
std::uint32_t parse_dotted(std::string_view text);
