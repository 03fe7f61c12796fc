#pragma once
// One host register entry: a controller parameter mapped onto one or more consecutive host
// registers with a format, scaling and sign handling, or sixteen command or status bits packed
// into one register.

#include "model/bit_entries.h"
#include "model/settings_dialogs.h"
#include "model/zrp_object.h"

#include <array>
#include <string>
#include <string_view>

class map_line_source;
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

class host_register : public zrp_object {
  public:
    // A register of file; register_number -1 proposes the file's next free input register
    // (0 without a file).
    explicit host_register(zrp_file* file, int register_number = -1);
    // Copies the values of source (not its command and status bits); with renumber the number
    // becomes the file's next free register for the copied location.
    host_register(const host_register& source, bool renumber);

    // One line, or four for bitmapped commands and status. "ProcStat"/"AlarmStat" registers
    // are written (and left) with format 0.
    void write(std::ostream& out) override;
    // The next entry; false at the end of the stream or when a bitmapped entry is cut short.
    bool read(std::istream& in) override;
    // The same from a map's lines, noting every line not read as written.
    bool read(map_line_source& lines);
    // One image record (26 to 98 bytes); false when it cannot be read in full.
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    // Runs the register property dialog on a copy of the values and applies its result.
    int edit(int mode_flags = 0) override;

    // The shortest image record: number, descriptor and name slot.
    static constexpr std::size_t min_record_size = 26;
    // The longest parameter name and command mnemonic a map file holds; reading cuts longer
    // words to these.
    static constexpr std::size_t max_name_length = 19;
    static constexpr std::size_t max_mnemonic_length = 4;

    // The inverse of decode_image: appends this register's image record.
    void encode_image(byte_writer& out, int device_code) const;

    // Fills the property dialog's values from the register and its file.
    register_dialog_values dialog_values() const;
    // Applies the values of a confirmed property dialog (format rules, template update).
    void apply_dialog(const register_dialog_values& values);
    // The format a confirmed property dialog gives before the swap box is looked at: 11 for
    // "ProcStat" and "AlarmStat", 9 for the string parameters, 10 for the status words, the
    // chosen register type for any other name.
    static int dialog_format(std::string_view name, int chosen_type);

    // Registers occupied: whole count + fraction count.
    int width() const;
    // The register numbers it occupies: "40008" for one, "40008-40009" for several.
    std::string range_text() const;
    // The format as shown and edited: 11 for "ProcStat" and "AlarmStat" registers.
    int effective_format() const;
    // The device code of the owning file's header (0 without one).
    int device_code() const;

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

  private:
    // The three lines after the main line of a bitmapped command or status entry.
    bool read_bitmap(map_line_source& lines, const std::string& main_line);
};
