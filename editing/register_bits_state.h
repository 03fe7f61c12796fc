#pragma once
// The Commands and Status pages of the register dialog without a window: the sixteen command
// bits (feeder, mnemonic, trigger mode) and the sixteen status bits (feeder, mnemonic, bit
// position) as the pages show them, what opening each page does to them, the lists and legend
// lines the pages offer, and the checks OK makes. Toolkit-free, so that every rule of the two
// pages is tested without a window; the Qt pages only show it.

#include "model/settings_dialogs.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int register_bit_count = 16;

// A field OK refused: which one and the message to show.
struct dialog_refusal {
    enum class field {
        register_number,
        feeder,
        rom_value,
        length,
        tree,
        command_feeder, // bit in `bit`
        status_feeder,
        status_bit_position,
    };
    field where;
    int bit = -1;
    std::string message;
};

// A command bit as the page holds it: numbers as the user typed them.
struct command_bit_page {
    std::string feeder_text;
    std::string mnemonic;
    int trigger = 0; // index into trigger_modes()
    bool operator==(const command_bit_page&) const = default;
};

// A status bit as the page holds it.
struct status_bit_page {
    std::string feeder_text;
    std::string mnemonic;
    std::string bit_position_text;
    bool operator==(const status_bit_page&) const = default;
};

// A command mnemonic typed on the Commands page that is not in the mnemonic list: its bit and
// the question OK asks before it is stored as typed.
struct mnemonic_question {
    int bit;
    std::string text;
};

// One legend line and whether it is shown normally (false: greyed out).
struct legend_line {
    std::string_view text;
    bool normal = true;
};

class register_bits_state {
  public:
    // Mode index that the trigger buttons are locked to on network protocols.
    static constexpr int rising_edge = 3;

    // The bits of values, for a map of device_code; network is the application's
    // network_protocol_flag.
    register_bits_state(const register_dialog_values& values, bool network);

    // Opening the Commands page: every trigger shows "Rising edge" and is locked while on a
    // network protocol, else its stored mode (a mode without a caption shows "Off").
    void open_commands();
    // Opening the Status page (the texts were resolved when the dialog was filled).
    void open_status();

    bool commands_opened() const { return commands_opened_; }
    bool status_opened() const { return status_opened_; }
    // The trigger buttons can be clicked (not on network protocols).
    bool triggers_enabled() const { return !network_; }
    // The feeder fields of both pages are enabled for device codes 2 and 3 only.
    bool feeders_enabled() const;

    command_bit_page& command(int bit) { return commands_[index(bit)]; }
    const command_bit_page& command(int bit) const { return commands_[index(bit)]; }
    status_bit_page& status(int bit) { return status_[index(bit)]; }
    const status_bit_page& status(int bit) const { return status_[index(bit)]; }

    // Checks the fields of the pages present (by the register type) that were opened, in the
    // order the pages show them (bit 15 first); the first refusal, or nothing. A page taken
    // away again is not checked: the user could no longer mend it.
    std::optional<dialog_refusal> check(bool commands_present, bool status_present) const;
    // The questions for the command mnemonics of the opened Commands page (when present) that
    // are not in the mnemonic list, bit 15 first: 'Mnemonic "ZZZZ" on bit 14 is not one the
    // card knows; the card would get "CZZZ". Keep it?', with what the card really gets.
    std::vector<mnemonic_question> unknown_mnemonics(bool commands_present) const;
    // Copies the opened pages into values: a page never opened leaves the values as they
    // came, and so does a number that does not read (on a page taken away).
    void write(register_dialog_values& values) const;

    // The six trigger modes in order ("Off" ... "Any edge").
    static std::span<const std::string_view> trigger_modes();
    // The command mnemonics every command bit offers, in order ("XXXX" first).
    static std::span<const std::string_view> command_mnemonics();
    // The legend of the Commands page.
    static std::span<const std::string_view> command_legend();
    // The status mnemonics every status bit offers for a device code.
    static std::vector<std::string_view> status_mnemonics(int device_code);
    // The legend of the Status page, the lines of the device's extra words shown normally.
    static std::vector<legend_line> status_legend(int device_code);

  private:
    static std::size_t index(int bit);

    int device_code_;
    bool network_;
    bool commands_opened_ = false;
    bool status_opened_ = false;
    std::array<command_bit_page, register_bit_count> commands_;
    std::array<status_bit_page, register_bit_count> status_;
};

// "Please enter an integer between low and high."
std::string enter_between_message(int low, int high);
// Whole numbers as the dialog's fields take them: decimal, an optional sign, blanks around.
std::optional<int> parse_dialog_integer(std::string_view text);
