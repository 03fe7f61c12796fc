#pragma once
// The register property dialog's values: what a register (with its file) presets the dialog
// with, and how the values of a confirmed dialog are applied to the register.

#include "model/block_layout.h"

#include <array>
#include <string>
#include <string_view>

class host_register;

// One command bit as the property dialog shows it.
struct command_bit_values {
    int feeder = 0;
    int value = 0; // command value code
    std::string mnemonic = "XXXX";
};
// One status bit as the property dialog shows it (mnemonic resolved for the device).
struct status_bit_values {
    int feeder = 0;
    int bit_position = 0;
    std::string mnemonic = "XXX";
};

// The register property dialog's values: what the model presets and what OK returns.
struct register_dialog_values {
    // Context from the owning file.
    int next_free_input = 0;  // next_free_register(0)
    int next_free_output = 0; // next_free_register(1)
    bool block_mapped = false;
    int block_count = 0;
    block_table_t blocks{};
    // The header's next free register of each block (picking a block proposes it).
    std::array<int, block_table_size> next_free_in_block{};
    int device_code = 255; // 255 when the file has no header
    std::string protocol_name;
    int output_base = 0;
    // The register.
    int register_number = 0;
    int rom_constant = 0;
    int format = 0;
    int fraction_count = 0; // "#fract": 0 or 1
    int whole_count = 1;    // "# whole": 1 or 2; for strings and arrays the length
    int feeder = 0;
    bool reversed = false;   // word order 6
    bool swapped = false;    // format 9 or 10
    int negative_choice = 0; // 0 Signed, 1 Unsigned, 2 Force to 0
    std::string name;
    std::string group_name;
    int decimal_shift = 0;
    std::string maximum_text; // "%f"
    std::string minimum_text;
    std::string scale_text;
    std::array<command_bit_values, 16> commands{};
    std::array<status_bit_values, 16> status{};
    int location = 0; // read/write area choice, or block index for block-mapped headers
    int status_array_setting = 0;
    int last_line_feeder = -1;
};

// The values the property dialog starts from: the register's, and its file's context.
register_dialog_values register_values(const host_register& reg);
// Applies the values of a confirmed property dialog: the format rules, and the file's template
// register becomes a copy of the register (the next new register starts from it).
void apply_register_values(host_register& reg, const register_dialog_values& values);
// The format a confirmed property dialog gives before the swap box is looked at: 11 for
// "ProcStat" and "AlarmStat", 9 for the string parameters, 10 for the status words, the chosen
// register type for any other name.
int dialog_format(std::string_view name, int chosen_type);
