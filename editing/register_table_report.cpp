#include "editing/register_table_report.h"

#include "catalogue/parameter_list.h"
#include "format/ip_address.h"
#include "model/host_register.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"
#include "model/zrp_file.h"
#include "register_rules/register_bits_state.h"
#include "register_rules/register_dialog_state.h"

#include <cstdio>
#include <map>
#include <sstream>

namespace {

constexpr int word_order_reversed = 6;
const char* const unused_command = "XXXX";

// Numbers as the map file writes floats.
std::string number_text(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// The catalogue's descriptions by device and parameter name, and by name alone (the last in
// walk order, as the register dialog finds a register's parameter).
class description_index : public catalogue_visitor {
  public:
    void visit_device(target_device&, int) override {}
    void visit_param(target_param& param, int) override {
        if (param.description().empty())
            return;
        const std::string device = param.device() ? param.device()->name() : std::string();
        by_device_[{device, param.name()}] = param.description();
        by_name_[param.name()] = param.description();
    }
    std::string find(const std::string& group, const std::string& name) const {
        if (const auto it = by_device_.find({group, name}); it != by_device_.end())
            return it->second;
        if (const auto it = by_name_.find(name); it != by_name_.end())
            return it->second;
        return {};
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> by_device_;
    std::map<std::string, std::string> by_name_;
};

// The format as the register list shows it: status names as status values, string names as
// strings, then the property dialog's words for it.
std::string format_words(const host_register& reg) {
    int shown = reg.effective_format();
    if (shown < 0 || shown > fmt_int_array)
        shown = fmt_int_passthru;
    bool swapped = false;
    if (is_status_word_parameter(reg.name) || shown == fmt_status_val) {
        swapped = reg.format == fmt_status_val;
        shown = fmt_status_val;
    } else if (is_string_parameter(reg.name) || shown == fmt_string_val) {
        swapped = reg.swap;
        shown = fmt_string_val;
    }
    std::string words(format_labels().word(shown).value_or("Integer (pass thru)"));
    if (swapped)
        words += ", swapped";
    if (reg.fraction_count > 0 && shown != fmt_string_val && shown != fmt_int_array)
        words += ", " + std::to_string(reg.fraction_count) + " fractional word" +
                 (reg.fraction_count == 1 ? "" : "s");
    return words;
}

// A description that would not leave its row room on a page is cut, visibly.
std::string shortened(std::string description) {
    std::size_t most = 300;
    if (description.size() > most) {
        // Not inside a character of several bytes.
        while (most > 0 && (static_cast<unsigned char>(description[most]) & 0xC0) == 0x80)
            --most;
        description.resize(most);
        description += "...";
    }
    return description;
}

bool is_bitmapped(const host_register& reg) {
    return reg.format == fmt_commands || reg.format == fmt_status;
}

// Word order matters to registers of several words that are numbers.
std::string word_order_words(const host_register& reg) {
    const int format = reg.effective_format();
    if (reg.width() < 2 || is_bitmapped(reg) || format == fmt_string_val ||
        format == fmt_int_array || is_string_parameter(reg.name))
        return {};
    if (reg.word_order == 0)
        return "Normal";
    if (reg.word_order == word_order_reversed)
        return "Reversed";
    return std::to_string(reg.word_order);
}

std::string sign_words(const host_register& reg) {
    const int format = reg.effective_format();
    if (is_bitmapped(reg) || format == fmt_siemens_float || format == fmt_ieee_float ||
        format == fmt_string_val || is_string_parameter(reg.name))
        return {};
    switch (reg.negative) {
    case 0:
    case 1:
        return "Signed";
    case 2:
        return "Unsigned";
    case 3:
        return "Force to 0";
    default:
        return std::to_string(reg.negative);
    }
}

std::string scaling_words(const host_register& reg) {
    switch (reg.format) {
    case fmt_int_numeric:
        return "Scale " + number_text(reg.scale);
    case fmt_int_dec_shift:
        return register_dialog_state::multiplier_text(reg.decimal_shift) + " (shift " +
               std::to_string(reg.decimal_shift) + ")";
    case fmt_rom_constant:
        return "ROM constant " + std::to_string(reg.rom_constant);
    default:
        return {};
    }
}

void add_bits(const host_register& reg, int device_code, register_table_row& row) {
    row.bitmapped = true;
    row.commands = reg.format == fmt_commands;
    const auto modes = register_bits_state::trigger_modes();
    for (int bit = static_cast<int>(reg.commands.size()) - 1; bit >= 0; --bit) {
        const auto k = static_cast<std::size_t>(bit);
        const std::string name = "Bit " + std::to_string(bit);
        if (row.commands) {
            const command_bit& c = reg.commands[k];
            if (c.mnemonic == unused_command)
                continue;
            // A code without a mode of its own is shown as the map file writes it.
            std::string mode = std::to_string(c.value);
            if (c.value >= 0 && c.value < static_cast<int>(modes.size()))
                mode = modes[static_cast<std::size_t>(c.value)];
            else if (const auto word = command_value_words().word(c.value))
                mode = *word;
            row.bits.push_back({name, "F:" + std::to_string(c.feeder), c.mnemonic, mode});
        } else {
            const status_bit& s = reg.status[k];
            if (s.code == 0)
                continue;
            std::string mnemonic(status_mnemonic(device_code, s.code));
            if (mnemonic.empty())
                mnemonic = "code " + std::to_string(s.code);
            row.bits.push_back({name, "F:" + std::to_string(s.feeder), mnemonic,
                                "bit " + std::to_string(s.bit_position)});
        }
    }
}

// A setting of the header in words: its name and its value as the settings windows show it.
std::string setting_text(const protocol_header& header, header_field field) {
    using enum header_field;
    if (const std::uint32_t* address = header.address(field)) {
        const char* name = field == ip_address     ? "IP address"
                           : field == network_mask ? "Network mask"
                                                   : "Default gateway";
        return std::string(name) + ": " + format_dotted(*address);
    }
    const int value = *header.integer(field);
    switch (field) {
    case baud:
        return "Baud rate: " + std::string(baud_words().word_or_default(value));
    case parity:
        return std::string("Parity: ") + (value == 1 ? "even" : value == 2 ? "odd" : "none");
    case stop_bits:
        return std::string("Stop bits: ") + (value == 1 ? "2" : "1");
    case mode:
        return "Mode: " + std::string(mode_words().word_or_default(value));
    case byte_order:
        return std::string("Byte order: ") + (value == 1 ? "LS byte first" : "MS byte first");
    case data_bits:
        return "Data bits: " + std::to_string(value);
    case node:
        return "Node number: " + std::to_string(value);
    case regmax:
        return "Register limit: " + std::to_string(value);
    case source_id:
        return "Source id: " + std::to_string(value);
    case number_of_words:
        return "Number of words: " + std::to_string(value);
    case offset_in_gdb:
        return "Offset within GDB: " + std::to_string(value);
    case input_size:
    case io_input_size:
        return "Input block size: " + std::to_string(value);
    case output_size:
    case io_output_size:
        return "Output block size: " + std::to_string(value);
    default:
        return {};
    }
}

// The header's settings in words, as its settings windows edit them; a protocol without
// settings of its own gives none.
std::vector<std::string> settings_lines(const zrp_file& map) {
    std::vector<std::string> lines;
    if (!map.header)
        return lines;
    for (header_field field : map.header->description().edited)
        if (std::string text = setting_text(*map.header, field); !text.empty())
            lines.push_back(std::move(text));
    return lines;
}

} // namespace

const std::array<const char*, table_column_count>& register_table_headings() {
    static const std::array<const char*, table_column_count> headings = {
        "Register", "Feeder", "Parameter", "Format", "Scaling", "Min", "Max", "Word order", "Sign"};
    return headings;
}

std::array<const char*, bit_table_column_count> bit_table_headings(bool commands) {
    return {"Bit", "Feeder", "Mnemonic", commands ? "Trigger mode" : "Bit position"};
}

register_table_report build_register_table(const zrp_file& map, const std::string& path,
                                           const std::string& title, bool modified,
                                           parameter_list* catalogue, const std::string& date) {
    register_table_report report;
    report.title = "Register table";
    const int device = map.header ? map.header->device_code : 0;
    std::string file = path.empty() ? title + " (not saved)" : path;
    if (!path.empty() && modified)
        file += " (changed since saved)";
    report.file_name = path.empty() ? title : path.substr(path.find_last_of("/\\") + 1);
    report.block.emplace_back("File", file);
    report.block.emplace_back("Device", std::string(device_words().word_or_default(device)));
    report.block.emplace_back("Protocol",
                              map.header ? std::string(map.header->name()) : std::string());
    const std::vector<std::string> settings = settings_lines(map);
    for (std::size_t i = 0; i < settings.size(); ++i)
        report.block.emplace_back(i == 0 ? "Settings" : "", settings[i]);
    report.block.emplace_back("Registers", std::to_string(map.register_count()));
    report.block.emplace_back("Printed", date);

    description_index descriptions;
    if (catalogue)
        catalogue->walk(descriptions, device);
    for (const auto& reg : map.registers) {
        register_table_row row;
        const bool bitmapped = is_bitmapped(*reg);
        const bool numeric = reg->format == fmt_int_numeric;
        row.cells = {register_range_text(*reg),
                     bitmapped ? std::string() : std::to_string(reg->feeder),
                     bitmapped || reg->format == fmt_rom_constant ? std::string() : reg->name,
                     format_words(*reg),
                     scaling_words(*reg),
                     numeric ? number_text(reg->minimum) : std::string(),
                     numeric ? number_text(reg->maximum) : std::string(),
                     word_order_words(*reg),
                     sign_words(*reg)};
        if (!row.cells[table_parameter].empty())
            row.description = shortened(descriptions.find(reg->group_name, reg->name));
        if (bitmapped)
            add_bits(*reg, device, row);
        report.rows.push_back(std::move(row));
    }
    return report;
}
