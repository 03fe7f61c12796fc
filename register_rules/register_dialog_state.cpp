#include "register_rules/register_dialog_state.h"

#include "catalogue/parameter_list.h"
#include "core/field_texts.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <algorithm>

namespace {

constexpr int type_siemens_float = 6;
constexpr int type_bit_write = 8;
constexpr int first_special_type = 8;

// The protocols whose registers are placed in a read or a write block.
constexpr std::string_view location_protocols[] = {"Profibus", "Modbus/TCP", "ProfinetIO",
                                                   "Modbus+"};

bool special(int type) {
    return type >= first_special_type && type < register_type_count;
}

int whole_choice_for(int words) {
    return words >= 2 ? 1 : 0;
}

} // namespace

register_dialog_state::register_dialog_state(const register_dialog_values& values,
                                             bool editing_existing, parameter_list* catalogue,
                                             bool network)
    : preset_(values), editing_existing_(editing_existing), catalogue_(catalogue),
      bits_(values, network) {
    register_page_fields& f = fields_;
    f.name = values.name;
    f.group_name = values.group_name;
    f.register_number = std::to_string(values.register_number);
    f.type = values.format >= 0 && values.format < register_type_count ? values.format : 0;
    f.fract = values.fraction_count == 1 ? 1 : 0;
    f.whole = !editing_existing && values.status_array_setting >= 0
                  ? whole_choice_for(values.status_array_setting + 1)
                  : whole_choice_for(values.whole_count);
    f.length = std::to_string(values.whole_count);
    f.integer_type = std::clamp(values.negative_choice, 0, 2);
    f.word_order = values.reversed ? 1 : 0;
    f.swapped = values.swapped;
    f.decimal_shift = std::clamp(values.decimal_shift, -8, 8);
    f.minimum = values.minimum_text;
    f.maximum = values.maximum_text;
    f.scale = values.scale_text;
    f.feeder =
        std::to_string(!editing_existing && values.last_line_feeder >= 0 ? values.last_line_feeder
                                                                         : values.feeder);
    f.rom_value = std::to_string(values.rom_constant);
    f.status_array = values.status_array_setting;
    if (values.block_mapped && values.block_count > 0 && values.location >= 0 &&
        values.location < std::min(values.block_count, block_table_size))
        f.block = values.location;
    if (editing_existing && f.type <= 2) {
        // The whole-word choice follows the status-array setting whenever the rules run; an
        // existing register starts with the setting its own word count gives, so that opening
        // and confirming it unchanged keeps its width.
        f.status_array = whole_choice_for(values.whole_count);
    }
    if (values.device_code == 3 && line_parameter() && values.feeder == 101)
        f.line = 1; // a line register of the second line stays there
    for (int t = 0; t < register_type_count; ++t)
        controls_.type[static_cast<std::size_t>(t)] = !special(t);
}

bool register_dialog_state::line_parameter() const {
    return fields_.name.rfind("Line", 0) == 0;
}

int register_dialog_state::length_value() const {
    return parse_dialog_integer(fields_.length).value_or(0);
}

view_handle register_dialog_state::open(catalogue_visitor* visitor) {
    view_handle preselected = nullptr;
    if (catalogue_ != nullptr && visitor != nullptr) {
        target_param* match =
            catalogue_->fill(*visitor, preset_.device_code, fields_.name, fields_.group_name);
        if (match != nullptr && match->handle() != nullptr) {
            preselected = match->handle();
            pick_item(preselected);
        }
    }
    controls_.blocks_shown = preset_.block_mapped && preset_.block_count > 0;
    controls_.feeder_shown = preset_.device_code == 2 || preset_.device_code == 3;
    const auto number = parse_dialog_integer(fields_.register_number);
    fields_.location = number && *number >= preset_.output_base ? 1 : 0;
    apply_enable_rules();
    controls_.ok = (fields_.type >= 3 && fields_.type <= 5) || editing_existing_ ||
                   !fields_.selected_text.empty();
    return preselected;
}

void register_dialog_state::set_type(int type) {
    fields_.type = type;
}

void register_dialog_state::pick_item(view_handle item) {
    if (!controls_.tree || item == nullptr)
        return;
    fields_.selected_item = item;
    target_param* param = catalogue_ != nullptr ? catalogue_->find_by_handle(item) : nullptr;
    if (param == nullptr) { // a device
        controls_.ok = false;
        return;
    }
    fields_.name = param->name();
    fields_.group_name = param->device() != nullptr ? param->device()->name() : std::string();
    fields_.selected_text = param->name();
    controls_.ok = true;
    switch (param->type()) {
    case param_bits:
        fields_.parameter_class = param_class::bits;
        set_type(fmt_status_val);
        break;
    case param_int:
        fields_.parameter_class = param_class::integer;
        break;
    case param_float:
        fields_.parameter_class = param_class::floating;
        break;
    case param_string:
        fields_.parameter_class = param_class::string;
        set_type(fmt_string_val);
        break;
    case param_array:
        fields_.parameter_class = param_class::array;
        set_type(fmt_int_array);
        break;
    case param_long:
        fields_.parameter_class = param_class::long_integer;
        set_type(fmt_int_passthru);
        break;
    default:
        break;
    }
    apply_enable_rules();
}

void register_dialog_state::choose_type(int type) {
    if (type < 0 || type >= register_type_count || !controls_.type[static_cast<std::size_t>(type)])
        return;
    set_type(type);
    if (type >= 3 && type <= 5) {
        fields_.selected_text.clear();
        fields_.selected_item = nullptr;
        controls_.ok = true;
    } else {
        controls_.ok = !fields_.selected_text.empty();
    }
    fields_.status_array = type == 6 || type == 7 ? 1 : 0;
    apply_enable_rules();
}

void register_dialog_state::choose_fract(int fract) {
    if (controls_.fract && (fract == 0 || fract == 1))
        fields_.fract = fract;
}

void register_dialog_state::choose_whole(int whole) {
    if (!controls_.whole || (whole != 0 && whole != 1))
        return;
    fields_.whole = whole;
    if (whole == 1) {
        fields_.fract = 0;
        controls_.fract = false;
    } else {
        controls_.fract = row_allows_fract_;
    }
    fields_.length = std::to_string(whole + 1);
    fields_.status_array = whole;
}

void register_dialog_state::edit_length(const std::string& text) {
    if (!controls_.length_shown || !controls_.length)
        return;
    fields_.length = text;
    auto value = parse_dialog_integer(text);
    if (!value)
        return;
    if (*value > max_length) {
        value = max_length;
        fields_.length = std::to_string(max_length);
    }
    fields_.whole = whole_choice_for(*value);
    fields_.status_array = *value;
}

void register_dialog_state::choose_integer_type(int choice) {
    if (choice >= 0 && choice < 3 && controls_.integer_type[static_cast<std::size_t>(choice)])
        fields_.integer_type = choice;
}

void register_dialog_state::choose_word_order(int order) {
    if (controls_.word_order && (order == 0 || order == 1))
        fields_.word_order = order;
}

void register_dialog_state::toggle_swapped(bool ticked) {
    if (!controls_.swapped)
        return;
    fields_.swapped = ticked;
    if (!ticked)
        set_type(fmt_int_passthru);
    else
        set_type(fields_.parameter_class == param_class::bits ? fmt_status_val : fmt_string_val);
}

void register_dialog_state::choose_location(int location) {
    if (location != 0 && location != 1)
        return;
    fields_.location = location;
    fields_.register_number =
        std::to_string(location == 1 ? preset_.next_free_output : preset_.next_free_input);
}

void register_dialog_state::pick_block(int block) {
    if (!controls_.blocks_shown || block < 0 ||
        block >= std::min(preset_.block_count, block_table_size))
        return;
    fields_.block = block;
    fields_.register_number =
        std::to_string(preset_.next_free_in_block[static_cast<std::size_t>(block)]);
}

void register_dialog_state::choose_line(int line) {
    if (!controls_.line || (line != 0 && line != 1))
        return;
    fields_.line = line;
    fields_.feeder = line == 1 ? "101" : "0";
}

void register_dialog_state::set_decimal_shift(int shift) {
    fields_.decimal_shift = std::clamp(shift, -8, 8);
}

std::string register_dialog_state::multiplier_text(int shift) {
    shift = std::clamp(shift, -8, 8);
    if (shift >= 0)
        return "* 1" + std::string(static_cast<std::size_t>(shift), '0');
    return "* 0." + std::string(static_cast<std::size_t>(-shift - 1), '0') + "1";
}

std::string_view register_dialog_state::type_label(int type) {
    return format_labels().word(type).value_or(std::string_view());
}

void register_dialog_state::apply_enable_rules() {
    const int device = preset_.device_code;
    const bool no_siemens_float = device == 1 || device == 3;
    controls_.type[type_siemens_float] = !no_siemens_float;
    controls_.location_shown =
        std::find(std::begin(location_protocols), std::end(location_protocols),
                  preset_.protocol_name) != std::end(location_protocols);
    controls_.line_shown = device == 3;
    controls_.line = device == 3 && line_parameter();

    row_ = row_for(fields_.parameter_class, fields_.type);
    apply_row(row_);
    // A device without Siemens floats never offers them, whichever row enabled the standard
    // types; "Bit Write Value" is never offered.
    if (no_siemens_float)
        controls_.type[type_siemens_float] = false;
    controls_.type[type_bit_write] = false;
    controls_.length_shown = row_ == enable_row::string || row_ == enable_row::array;
    controls_.whole_shown = !controls_.length_shown;

    const int t = fields_.type;
    if (fields_.parameter_class != param_class::long_integer &&
        (t == 0 || t == 1 || t == 2 || t == 9 || t == 11) && fields_.status_array >= 0)
        fields_.whole = fields_.status_array >= 1 ? 1 : 0;
    if (line_parameter()) {
        controls_.feeder = false;
        if (device == 3)
            fields_.feeder = fields_.line == 1 ? "101" : "0";
    }
}

std::optional<dialog_refusal> register_dialog_state::confirm(register_dialog_values& v) const {
    using field = dialog_refusal::field;
    const auto number = parse_dialog_integer(fields_.register_number);
    if (!number || *number < 0)
        return dialog_refusal{field::register_number, -1, text_enter_positive};
    const auto feeder = parse_dialog_integer(fields_.feeder);
    if (!feeder)
        return dialog_refusal{field::feeder, -1, text_enter_integer};
    const auto rom = parse_dialog_integer(fields_.rom_value);
    if (!rom)
        return dialog_refusal{field::rom_value, -1, text_enter_integer};
    auto length = parse_dialog_integer(fields_.length);
    if (controls_.length_shown) {
        if (!length)
            return dialog_refusal{field::length, -1, text_enter_integer};
        if (*length < 1)
            return dialog_refusal{field::length, -1, enter_between_message(1, max_length)};
    }
    if (auto refused = bits_.check(commands_page(), status_page()))
        return refused;
    const int format = dialog_format(fields_.name, fields_.type);
    if ((format == fmt_int_numeric || format == fmt_int_dec_shift) && fields_.name.empty()) {
        // Such a register is written with its scaling where the name belongs and would not
        // read back as saved.
        return dialog_refusal{field::tree, -1,
                              "Please pick a parameter: a register of type \"" +
                                  std::string(type_label(format)) +
                                  "\" cannot be saved without one."};
    }

    v = preset_;
    v.register_number = *number;
    v.rom_constant = *rom;
    if (controls_.blocks_shown)
        v.location = fields_.block >= 0 ? fields_.block : preset_.location;
    else
        v.location = fields_.location;
    v.format = fields_.type;
    v.fraction_count = fields_.fract;
    // Strings and arrays take the length; so does any register while the length is shown.
    if (controls_.length_shown)
        v.whole_count = std::min(*length, max_length);
    else if ((format == fmt_string_val || format == fmt_int_array) && length && *length >= 1)
        v.whole_count = *length;
    else
        v.whole_count = fields_.whole + 1;
    v.feeder = *feeder;
    v.reversed = fields_.word_order == 1;
    v.swapped = fields_.swapped;
    v.negative_choice = fields_.integer_type;
    v.name = fields_.name;
    v.group_name = fields_.group_name;
    v.decimal_shift = fields_.decimal_shift;
    v.minimum_text = fields_.minimum;
    v.maximum_text = fields_.maximum;
    v.scale_text = fields_.scale;
    v.status_array_setting = fields_.status_array;
    bits_.write(v);
    return std::nullopt;
}
