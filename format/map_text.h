#pragma once
// A register map as a text file: the device line, the header lines, "HREG" and one entry per
// register.

#include "format/map_read_report.h"

#include <istream>
#include <ostream>

class user_interface;
class zrp_file;

// Writes the map as Save does (nothing without a header).
void write_map(std::ostream& out, zrp_file& map);
// Replaces the whole content of map from text; false when the header cannot be read (the
// report says why). A register that conflicts with one read before it is left out with the
// conflict message, told through ui. The report, when given, notes the lines not read as
// written.
bool read_map(std::istream& in, zrp_file& map, user_interface& ui,
              map_read_report* report = nullptr);
