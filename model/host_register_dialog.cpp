// The register property dialog seen from the register: what the dialog is preset with and how
// its confirmed values are applied.

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

register_dialog_values host_register::dialog_values() const {
    register_dialog_values v;
    const protocol_header* header = owner != nullptr ? owner->header.get() : nullptr;
    if (owner != nullptr) {
        v.next_free_input = owner->next_free_register(0);
        v.next_free_output = owner->next_free_register(1);
    }
    if (header != nullptr) {
        v.block_mapped = header->is_block_mapped();
        const block_table_t* table = nullptr;
        v.block_count = header->block_table(&table);
        if (table != nullptr)
            v.blocks = *table;
        if (v.block_mapped)
            for (int b = 0; b < block_table_size; ++b)
                v.next_free_in_block[static_cast<std::size_t>(b)] =
                    owner->header->next_block_register(b);
        v.device_code = header->device_code;
        v.protocol_name = header->name;
        v.output_base = header->output_base();
    }
    v.register_number = register_number;
    v.rom_constant = rom_constant;
    v.format = effective_format();
    v.fraction_count = fraction_count;
    v.whole_count = whole_count;
    v.feeder = feeder;
    v.reversed = word_order == 6;
    v.swapped = format == fmt_string_val || format == fmt_status_val;
    v.negative_choice = negative_choice(negative);
    v.name = name;
    v.group_name = group_name;
    v.decimal_shift = decimal_shift;
    v.maximum_text = printf_f(maximum);
    v.minimum_text = printf_f(minimum);
    v.scale_text = printf_f(scale);
    for (std::size_t i = 0; i < commands.size(); ++i)
        v.commands[i] = {commands[i].feeder, commands[i].value, commands[i].mnemonic};
    const int device = device_code();
    for (std::size_t i = 0; i < status.size(); ++i) {
        std::string_view m = status_mnemonic(device, status[i].code);
        v.status[i] = {status[i].feeder, status[i].bit_position,
                       m.empty() ? std::string("XXX") : std::string(m)};
    }
    v.location = location;
    v.status_array_setting = status_array_setting;
    v.last_line_feeder = last_line_feeder;
    return v;
}

void host_register::apply_dialog(const register_dialog_values& v) {
    last_line_feeder = v.last_line_feeder;
    if (v.name.rfind("Line", 0) != 0)
        last_line_feeder = v.feeder;

    const bool renumbered = register_number != v.register_number;
    register_number = v.register_number;
    rom_constant = v.rom_constant;
    location = v.location;

    // Some parameters fix the format whatever type was chosen.
    format = dialog_format(v.name, v.format);
    if (is_array_parameter(v.name) || is_status_word_parameter(v.name))
        status_array_setting = v.status_array_setting;

    negative =
        format == fmt_int_array ? negative_unsigned : negative_from_choice(v.negative_choice);

    if (format == fmt_string_val || format == fmt_int_array) {
        // Strings and arrays take their length in whole registers.
        fraction_count = 0;
        whole_count = v.whole_count;
    } else {
        fraction_count = v.fraction_count;
        whole_count = v.whole_count;
    }
    if ((format == fmt_string_val || format == fmt_status_val) && !v.swapped)
        format = fmt_int_passthru;

    word_order = v.reversed ? 6 : 0;
    swap = v.swapped;
    name = v.name;
    group_name = v.group_name;
    decimal_shift = v.decimal_shift;
    parse_f(v.maximum_text, maximum);
    parse_f(v.minimum_text, minimum);
    parse_f(v.scale_text, scale);
    feeder = v.feeder;

    const int device = device_code();
    for (std::size_t i = 0; i < commands.size(); ++i)
        commands.set(i, {v.commands[i].feeder, v.commands[i].value, v.commands[i].mnemonic});
    for (std::size_t i = 0; i < status.size(); ++i)
        status.set(i, {v.status[i].feeder, v.status[i].bit_position,
                       status_code(device, v.status[i].mnemonic)});

    if (owner == nullptr)
        return;
    if (renumbered)
        owner->sort_registers();
    // The next new register starts from this one.
    if (owner->template_register.get() != this)
        owner->template_register = std::make_unique<host_register>(*this, false);
}

int host_register::dialog_format(std::string_view name, int chosen_type) {
    if (is_array_parameter(name))
        return fmt_int_array;
    if (is_string_parameter(name))
        return fmt_string_val;
    if (is_status_word_parameter(name))
        return fmt_status_val;
    return chosen_type;
}

int host_register::edit(int mode_flags) {
    register_dialog_values values = dialog_values();
    const int result = dialogs().run_register_properties(values, mode_flags);
    if (result == 1)
        apply_dialog(values);
    return result;
}
