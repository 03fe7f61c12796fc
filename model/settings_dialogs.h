#pragma once
// The dialogs the model runs from its edit operations, seen from the model: each takes a
// values record preset by the model and, on OK (result 1), hands back what the user chose.
// The editor implements them with its real dialogs; tests with scripted answers. All the
// rules around a dialog (adjustments before it opens, what OK copies back) stay in the model.

#include <array>
#include <cstdint>
#include <string>

// One entry of the 22-block table of block-mapped protocols.
struct block_entry {
    int area = 0;      // 0 I/O, 1 Param
    int direction = 0; // 0 input, 1 output
    int start = 0;
    int length = 0;
    bool operator==(const block_entry&) const = default;
};
constexpr int block_table_size = 22; // entries in use
using block_table_t = std::array<block_entry, block_table_size>;

// The host protocol selection dialog: the checked protocol position (-1 none) and device word.
struct host_selection_values {
    int protocol_position = -1;
    std::string device_word;
};

// Which protocol settings dialog to run.
enum class settings_dialog_kind {
    generic,
    allen_bradley,
    modbus_siemens,
    modbus_plus,
    modbus_tcp,
    profibus,
    profinet,
    devicenet,
    ethernetip,
};

// The values a protocol settings dialog shows and returns; each dialog uses its own subset.
// Serial values are header indices (baud, parity, stop bits, mode, byte order) except
// data_bits, which is 7 or 8.
struct protocol_dialog_values {
    int device_code = 0;
    int baud = 1;
    int data_bits = 8;
    int parity = 0;
    int stop_bits = 0;
    int mode = 0; // mode index: 0 RTU, 1 ASCII, 2 BCC, 3 CRC
    int byte_order = 0;
    int node = 0;
    // Modbus Plus
    int source_id = 0;
    int number_of_words = 0;
    int offset_in_gdb = 0;
    // Modbus/TCP, Profinet IO, EtherNet/IP (first octet in the most significant byte)
    std::uint32_t ip_address = 0;
    std::uint32_t network_mask = 0;
    std::uint32_t default_gateway = 0;
    // Profibus (0..244), Profinet IO (0..1536)
    int input_size = 0;
    int output_size = 0;
    // DeviceNet, EtherNet/IP
    int block_count = 0;
    block_table_t blocks{};
    int io_input_size = 0;
    int io_output_size = 0;
    int param_input_usage = 0;
    int param_output_usage = 0;
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

class settings_dialogs {
  public:
    virtual ~settings_dialogs() = default;
    virtual int run_host_selection(host_selection_values& values) = 0;
    virtual int run_protocol_settings(settings_dialog_kind kind,
                                      protocol_dialog_values& values) = 0;
    virtual int run_register_properties(register_dialog_values& values, int mode_flags) = 0;
};

// The dialogs in force; until a front end installs its own, every dialog is cancelled.
settings_dialogs& dialogs();
// Installs an implementation (not owned); returns the previous one (nullptr for the default).
settings_dialogs* set_dialogs(settings_dialogs* implementation);
