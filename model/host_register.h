#pragma once
// One host register entry: a controller parameter mapped onto one or more consecutive host
// registers with a format, scaling and sign handling, or sixteen command or status bits packed
// into one register.

#include "model/bit_entries.h"

#include <array>
#include <string>
#include <string_view>

class zrp_file;

struct command_bit {
    int feeder = 0;
    int value = 0; // command value code
    std::string mnemonic = "XXXX";
    bool operator==(const command_bit&) const = default;
};

struct status_bit {
    int feeder = 0;
    int bit_position = 0;
    int code = 0; // 4-bit status code, mnemonic by device
    bool operator==(const status_bit&) const = default;
};

class host_register {
  public:
    // A register of file; register_number -1 proposes the file's next free input register
    // (0 without a file).
    explicit host_register(zrp_file* file, int register_number = -1);
    // Copies the values of source (not its command and status bits); with renumber the number
    // becomes the file's next free register for the copied location.
    host_register(const host_register& source, bool renumber);

    // Registers occupied: whole count + fraction count.
    int width() const;
    // The format as shown and edited: 11 for "ProcStat" and "AlarmStat" registers.
    int effective_format() const;

    zrp_file* owner = nullptr;
    int register_number = 0;
    std::string name;       // at most 19 characters
    std::string group_name; // catalogue group the parameter was picked under
    int location = 0;       // 0 input, 1 output, or block index
    int status_array_setting = 0;
    int last_line_feeder = -1;
    int rom_constant = 0;
    int fraction_count = 0;
    int whole_count = 1;
    int format = 0;
    int negative = 0;
    int word_order = 0; // 0 normal, 6 reversed
    bool swap = false;
    int feeder = 0;
    float maximum = 100.0f;
    float minimum = 0.0f;
    float scale = 1.0f;
    int decimal_shift = 0;
    // Only bitmapped registers (formats 3 and 4) store these; see bit_entries.
    bit_entries<command_bit> commands;
    bit_entries<status_bit> status;
};

// The register numbers reg occupies: "40008" for one, "40008-40009" for several.
std::string register_range_text(const host_register& reg);

// The device code of the register's file (0 without a header).
int register_device(const host_register& reg);
