#pragma once
// The dialogs the model runs from its edit operations, seen from the model: each takes a
// values record preset by the model and, on OK (result 1), hands back what the user chose.
// The editor implements them with its real dialogs; tests with scripted answers. All the
// rules around a dialog (adjustments before it opens, what OK copies back) stay in the model.

#include "model/block_layout.h"

#include <array>
#include <cstdint>
#include <string>

// The host protocol selection dialog: the checked protocol position (-1 none) and device word.
struct host_selection_values {
    int protocol_position = -1;
    std::string device_word;
};

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

struct protocol_description;
class protocol_header;
struct header_values;

class settings_dialogs {
  public:
    virtual ~settings_dialogs() = default;
    virtual int run_host_selection(host_selection_values& values) = 0;
    // The settings dialog of a protocol for a device, preset with values.
    virtual int run_protocol_settings(const protocol_description& protocol, int device_code,
                                      header_values& values) = 0;
    virtual int run_register_properties(register_dialog_values& values, int mode_flags) = 0;
};

// The dialogs in force; until a front end installs its own, every dialog is cancelled.
settings_dialogs& dialogs();
// Installs an implementation (not owned); returns the previous one (nullptr for the default).
settings_dialogs* set_dialogs(settings_dialogs* implementation);

// Runs the header's settings dialog on the values its rules prepare and takes what OK chose;
// returns the dialog result (1 = OK).
int run_header_dialog(protocol_header& header);
