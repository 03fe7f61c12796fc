#include "model/register_values.h"

#include "core/text_lines.h"
#include "model/host_register.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <cstdio>

namespace {

// Negative handling codes and the dialog's "Integer Type" choice (Signed, Unsigned,
// Force to 0).
constexpr int negative_unsigned = 2;
constexpr int negative_force_0 = 3;

int negative_choice(int negative) {
    return negative == negative_force_0 ? 2 : negative == negative_unsigned ? 1 : 0;
}
int negative_from_choice(int choice) {
    return choice == 2 ? negative_force_0 : choice == 1 ? negative_unsigned : 0;
}

std::string printf_f(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", static_cast<double>(v));
    return buf;
}

// A float typed into the dialog; text that does not parse leaves the value as it was.
void parse_f(const std::string& text, float& value) {
    field_scanner fields(text);
    fields.real(value);
}

} // namespace

register_dialog_values register_values(const host_register& reg) {
    register_dialog_values v;
    const zrp_file* owner = reg.owner;
    const protocol_header* header = owner != nullptr ? owner->header.get() : nullptr;
    if (owner != nullptr) {
        v.next_free_input = owner->next_free_register(0);
        v.next_free_output = owner->next_free_register(1);
    }
    if (header != nullptr) {
        v.block_mapped = header->is_block_mapped();
        if (v.block_mapped) {
            v.block_count = header->blocks.block_count;
            v.blocks = header->blocks.table;
            for (int b = 0; b < block_table_size; ++b)
                v.next_free_in_block[static_cast<std::size_t>(b)] = header->next_block_register(b);
        }
        v.device_code = header->device_code;
        v.protocol_name = std::string(header->name());
        v.output_base = header->output_base();
    }
    v.register_number = reg.register_number;
    v.rom_constant = reg.rom_constant;
    v.format = reg.effective_format();
    v.fraction_count = reg.fraction_count;
    v.whole_count = reg.whole_count;
    v.feeder = reg.feeder;
    v.reversed = reg.word_order == 6;
    v.swapped = reg.format == fmt_string_val || reg.format == fmt_status_val;
    v.negative_choice = negative_choice(reg.negative);
    v.name = reg.name;
    v.group_name = reg.group_name;
    v.decimal_shift = reg.decimal_shift;
    v.maximum_text = printf_f(reg.maximum);
    v.minimum_text = printf_f(reg.minimum);
    v.scale_text = printf_f(reg.scale);
    for (std::size_t i = 0; i < reg.commands.size(); ++i)
        v.commands[i] = {reg.commands[i].feeder, reg.commands[i].value, reg.commands[i].mnemonic};
    const int device = register_device(reg);
    for (std::size_t i = 0; i < reg.status.size(); ++i) {
        std::string_view m = status_mnemonic(device, reg.status[i].code);
        v.status[i] = {reg.status[i].feeder, reg.status[i].bit_position,
                       m.empty() ? std::string("XXX") : std::string(m)};
    }
    v.location = reg.location;
    v.status_array_setting = reg.status_array_setting;
    v.last_line_feeder = reg.last_line_feeder;
    return v;
}

void apply_register_values(host_register& reg, const register_dialog_values& v) {
    reg.last_line_feeder = v.last_line_feeder;
    if (v.name.rfind("Line", 0) != 0)
        reg.last_line_feeder = v.feeder;

    const bool renumbered = reg.register_number != v.register_number;
    reg.register_number = v.register_number;
    reg.rom_constant = v.rom_constant;
    reg.location = v.location;

    // Some parameters fix the format whatever type was chosen.
    reg.format = dialog_format(v.name, v.format);
    if (is_array_parameter(v.name) || is_status_word_parameter(v.name))
        reg.status_array_setting = v.status_array_setting;

    reg.negative =
        reg.format == fmt_int_array ? negative_unsigned : negative_from_choice(v.negative_choice);

    if (reg.format == fmt_string_val || reg.format == fmt_int_array) {
        // Strings and arrays take their length in whole registers.
        reg.fraction_count = 0;
        reg.whole_count = v.whole_count;
    } else {
        reg.fraction_count = v.fraction_count;
        reg.whole_count = v.whole_count;
    }
    if ((reg.format == fmt_string_val || reg.format == fmt_status_val) && !v.swapped)
        reg.format = fmt_int_passthru;

    reg.word_order = v.reversed ? 6 : 0;
    reg.swap = v.swapped;
    reg.name = v.name;
    reg.group_name = v.group_name;
    reg.decimal_shift = v.decimal_shift;
    parse_f(v.maximum_text, reg.maximum);
    parse_f(v.minimum_text, reg.minimum);
    parse_f(v.scale_text, reg.scale);
    reg.feeder = v.feeder;

    const int device = register_device(reg);
    for (std::size_t i = 0; i < reg.commands.size(); ++i)
        reg.commands.set(i, {v.commands[i].feeder, v.commands[i].value, v.commands[i].mnemonic});
    for (std::size_t i = 0; i < reg.status.size(); ++i)
        reg.status.set(i, {v.status[i].feeder, v.status[i].bit_position,
                           status_code(device, v.status[i].mnemonic)});

    if (reg.owner == nullptr)
        return;
    if (renumbered)
        reg.owner->sort_registers();
    // The next new register starts from this one.
    if (reg.owner->template_register.get() != &reg)
        reg.owner->template_register = std::make_unique<host_register>(reg, false);
}

int dialog_format(std::string_view name, int chosen_type) {
    if (is_array_parameter(name))
        return fmt_int_array;
    if (is_string_parameter(name))
        return fmt_string_val;
    if (is_status_word_parameter(name))
        return fmt_status_val;
    return chosen_type;
}
