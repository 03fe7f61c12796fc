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

// The column of the parameter name.
constexpr int parameter_column = 2;
// What the parameter cell starts with when saving would not keep the register's name.
inline constexpr std::string_view name_loss_marker = "(!)";

// The twelve cells of a (normalised) register. Registers named after a status word are
// shown as format 10 without changing the register. A register whose name a saved file
// cannot hold has the marker in front of its parameter cell.
std::array<std::string, register_column_count> register_cells(const host_register& reg);

// The tool tip of the parameter cell when it carries the marker (what saving would lose, and
// why), or an empty text.
std::string parameter_cell_tip(const host_register& reg);
