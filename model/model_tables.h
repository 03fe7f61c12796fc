#pragma once
// The word/code tables of register maps: devices, protocols, serial settings, register
// formats, command values and status mnemonics. Each table is one array with two look-ups;
// word look-ups are exact and case-sensitive and an unknown word gives the table's default.

#include <optional>
#include <string>
#include <string_view>

// Device codes (the controller kind).
enum device_code_t { device_blf = 0, device_rdx = 1, device_wnt = 2, device_hqp = 3 };

// Protocol codes; 4 to 8 are not used.
enum protocol_code_t {
    protocol_generic = 0,
    protocol_modbus = 1,
    protocol_allen_bradley = 2,
    protocol_siemens = 3,
    protocol_profibus = 9,
    protocol_modbus_tcp = 10,
    protocol_modbus_plus = 11,
    protocol_devicenet = 12,
    protocol_ethernetip = 13,
    protocol_profinet = 14,
};

// Register format codes.
enum register_format_t {
    fmt_int_passthru = 0,
    fmt_int_numeric = 1,
    fmt_int_dec_shift = 2,
    fmt_commands = 3,
    fmt_status = 4,
    fmt_rom_constant = 5,
    fmt_siemens_float = 6,
    fmt_ieee_float = 7,
    fmt_bitwrite_val = 8,
    fmt_string_val = 9,
    fmt_status_val = 10,
    fmt_int_array = 11,
};

struct word_code {
    std::string_view word;
    int code;
};

// A small table of words and codes with its default for unknown words.
class word_table {
  public:
    template <std::size_t N>
    constexpr word_table(const word_code (&rows)[N], int unknown_code)
        : rows_(rows), count_(N), unknown_(unknown_code) {}

    // The code of a word; unknown words give the table's default.
    int code(std::string_view word) const;
    // The code of a word that is in the table, or nothing for any other word.
    std::optional<int> find(std::string_view word) const;
    // The first word for a code, or nothing when the code has no word.
    std::optional<std::string_view> word(int code) const;
    // The word for a code, or the default code's word when the code has none.
    std::string_view word_or_default(int code) const;

  private:
    const word_code* rows_;
    std::size_t count_;
    int unknown_;
};

// Device words on a map's first line ("BLF" 0 ... "HQP" 3; unknown 0).
const word_table& device_words();
// Protocol words on a map's first line ("Generic protocol" 0, "Modbus" 1, ...; unknown 0).
const word_table& protocol_words();
// Serial settings written on the "PLC_CHAN" line.
const word_table& baud_words();
const word_table& mode_words();
const word_table& parity_words();
const word_table& stop_bits_words();
const word_table& byte_order_words();
// Register format names as the register list shows them ("INT_PASSTHRU" ... "INT_ARRAY").
const word_table& format_names();
// Register format labels as the property dialog offers them ("Integer (pass thru)" ...).
const word_table& format_labels();
// Command bit value names ("OFF" 0 ... "XOT" 5; "XOT" also stands for 7; unknown 0).
const word_table& command_value_words();
// Negative handling names ("SIGNED" 0 and 1, "UNSIGNED" 2, "FORCE_0" 3).
const word_table& negative_words();

// Status mnemonic of a 4-bit status code for a device ("XXX" for code 0); empty when the
// code has no mnemonic for that device.
std::string_view status_mnemonic(int device_code, int status_code);
// Status code of a mnemonic for a device; unknown mnemonics give 0.
int status_code(int device_code, std::string_view mnemonic);

// The host protocol selection dialog's positions 0..8 and their protocol codes; position 9
// and above (and negative positions) give the generic protocol.
int protocol_code_for_position(int position);
// The position of a protocol code, or 0 when it has none (the generic protocol included).
int position_for_protocol_code(int code);
// Device word chosen in the selection dialog to device code: "WNT" 2, "RDX" 1, "BLF" 0,
// anything else 3.
int device_code_for_selection_word(std::string_view word);
// Device word preset in the selection dialog for a device code: 1 "RDX", 2 "WNT", 3 "HQP",
// anything else "BLF".
std::string_view selection_word_for_device_code(int code);

// Parameter names that make a register a fixed format whatever the dialog chose.
bool is_array_parameter(std::string_view name);       // "ProcStat", "AlarmStat"
bool is_string_parameter(std::string_view name);      // "LXGType", "FeederName", ...
bool is_status_word_parameter(std::string_view name); // "ProcessStatus", "AlarmStatus0", ...
