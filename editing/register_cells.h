#pragma once
// The register list's twelve text cells of a host register, and the normalisation the list
// applies to a register before showing it. Toolkit-free so that every display rule can be
// checked without a window.

#include <array>
#include <string>
#include <string_view>

class host_register;

constexpr int register_column_count = 12;

struct register_column {
    std::string_view heading;
    int width; // in list units (pixels)
};

// The list's columns in order: heading and width.
const std::array<register_column, register_column_count>& register_columns();

// What the list does to a register before showing it: a format outside the known codes
// becomes 0, and "ProcStat"/"AlarmStat" registers become format 11. Changes the stored
// register; true when anything changed.
bool normalise_for_display(host_register& reg);

// The twelve cells of a (normalised) register. Registers named after a status word are
// shown as format 10 without changing the register.
std::array<std::string, register_column_count> register_cells(const host_register& reg);
