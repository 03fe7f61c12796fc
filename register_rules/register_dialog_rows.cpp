// The enable table of the register dialog: which row applies to a parameter class and
// register type, and what each row enables, disables, sets and clears. Controls a row does
// not name keep their state. Part of register_dialog_state, kept apart because it is the
// table itself.

#include "register_rules/register_dialog_state.h"

#include "model/model_tables.h"

namespace {

constexpr int standard_type_count = 8;

void set_standard(register_page_controls& c, bool on) {
    for (int t = 0; t < standard_type_count; ++t)
        c.type[static_cast<std::size_t>(t)] = on;
}

// The four special types, all or all but one.
void set_special(register_page_controls& c, bool on, int except = -1) {
    for (int t = standard_type_count; t < register_type_count; ++t)
        if (t != except)
            c.type[static_cast<std::size_t>(t)] = on;
}

void set_integer_type(register_page_controls& c, bool on) {
    c.integer_type = {on, on, on};
}

void set_scaling(register_page_controls& c, bool on) {
    c.minimum = c.maximum = c.scale = on;
}

// A row that clears the special types leaves a register of one of them as pass-through.
void clear_special_type(register_page_fields& f) {
    if (f.type >= standard_type_count)
        f.type = fmt_int_passthru;
}

} // namespace

enable_row register_dialog_state::row_for(param_class cls, int type) {
    switch (cls) {
    case param_class::integer:
    case param_class::floating:
        if (type == 1)
            return enable_row::numeric;
        if (type == 2)
            return enable_row::shift;
        if (type == 3 || type == 4)
            return enable_row::bitmap;
        if (type == 5)
            return enable_row::rom;
        if (type == 6 || type == 7)
            return enable_row::floating;
        if (cls == param_class::floating && type != 0)
            return enable_row::plain;
        return enable_row::integer;
    case param_class::bits:
        if (type == 3 || type == 4)
            return enable_row::bitmap;
        if (type == 10)
            return enable_row::status;
        return enable_row::integer;
    case param_class::string:
        return enable_row::string;
    case param_class::array:
        return enable_row::array;
    case param_class::long_integer:
        return enable_row::long_integer;
    case param_class::none:
        break;
    }
    return type == 5 ? enable_row::rom : enable_row::plain;
}

void register_dialog_state::apply_row(enable_row row) {
    register_page_controls& c = controls_;
    register_page_fields& f = fields_;
    switch (row) {
    case enable_row::numeric:
    case enable_row::shift:
        c.tree = c.fract = c.whole = c.feeder = true;
        c.integer_type[0] = c.integer_type[1] = true;
        set_scaling(c, row == enable_row::numeric);
        c.decimal_shift = row == enable_row::shift;
        c.word_order = c.rom_value = c.swapped = false;
        f.word_order = 0;
        f.swapped = false;
        row_allows_fract_ = true;
        break;
    case enable_row::bitmap:
        set_standard(c, true);
        c.tree = c.fract = c.whole = c.word_order = c.decimal_shift = false;
        set_integer_type(c, false);
        set_scaling(c, false);
        c.rom_value = c.feeder = c.swapped = false;
        set_special(c, false);
        f.feeder = "0";
        f.fract = 0;
        f.whole = 0;
        f.integer_type = 1;
        f.word_order = 0;
        f.swapped = false;
        row_allows_fract_ = false;
        break;
    case enable_row::rom:
        c.whole = c.rom_value = c.feeder = true;
        c.integer_type[0] = c.integer_type[1] = true;
        c.tree = c.fract = c.word_order = c.decimal_shift = c.swapped = false;
        c.integer_type[2] = false;
        set_scaling(c, false);
        set_special(c, false);
        f.word_order = 0;
        f.fract = 0;
        f.swapped = false;
        row_allows_fract_ = false;
        break;
    case enable_row::floating:
        c.tree = c.word_order = c.feeder = true;
        c.fract = c.whole = c.decimal_shift = c.rom_value = c.swapped = false;
        set_integer_type(c, false);
        set_scaling(c, false);
        f.fract = 0;
        f.whole = 1;
        f.integer_type = 0;
        f.swapped = false;
        row_allows_fract_ = false;
        break;
    case enable_row::integer:
        c.tree = c.fract = c.whole = c.feeder = true;
        set_integer_type(c, true);
        c.decimal_shift = c.rom_value = c.length = c.swapped = false;
        set_scaling(c, false);
        set_special(c, false);
        f.word_order = 0;
        clear_special_type(f);
        f.swapped = false;
        row_allows_fract_ = true;
        break;
    case enable_row::long_integer:
        c.tree = c.word_order = c.feeder = true;
        set_integer_type(c, false);
        c.whole = c.decimal_shift = c.rom_value = c.length = c.swapped = false;
        set_scaling(c, false);
        set_special(c, false);
        f.whole = 1;
        f.integer_type = 1;
        clear_special_type(f);
        f.swapped = false;
        break;
    case enable_row::string:
        // The other special types are taken away as the status and array rows take theirs.
        set_special(c, false, fmt_string_val);
        c.type[fmt_string_val] = c.swapped = c.feeder = true;
        set_standard(c, false);
        set_integer_type(c, false);
        c.fract = c.word_order = c.decimal_shift = c.rom_value = c.length = false;
        set_scaling(c, false);
        f.integer_type = 1;
        f.length = "7";
        f.type = fmt_string_val;
        row_allows_fract_ = false;
        break;
    case enable_row::status:
        c.type[fmt_status_val] = c.swapped = c.word_order = c.feeder = true;
        set_standard(c, false);
        set_integer_type(c, false);
        c.fract = c.whole = c.rom_value = false;
        set_special(c, false, fmt_status_val);
        f.type = fmt_status_val;
        f.integer_type = 1;
        f.whole = 1;
        row_allows_fract_ = false;
        break;
    case enable_row::array:
        c.length = c.feeder = true;
        c.type[fmt_int_array] = true;
        set_standard(c, false);
        c.integer_type[0] = c.integer_type[2] = false;
        c.fract = c.whole = c.word_order = c.decimal_shift = c.rom_value = c.swapped = false;
        set_scaling(c, false);
        set_special(c, false, fmt_int_array);
        if (const auto length = parse_dialog_integer(f.length); !length || *length < 1)
            f.length = "1";
        f.type = fmt_int_array;
        f.integer_type = 1;
        f.word_order = 0;
        f.swapped = false;
        row_allows_fract_ = false;
        break;
    case enable_row::plain: {
        // Every standard type but "Siemens float", which keeps what the device gave it.
        const bool siemens_float = c.type[fmt_siemens_float];
        set_standard(c, true);
        c.type[fmt_siemens_float] = siemens_float;
    }
        c.tree = c.fract = c.whole = c.feeder = true;
        set_integer_type(c, true);
        c.word_order = c.decimal_shift = c.rom_value = c.length = c.swapped = false;
        set_scaling(c, false);
        set_special(c, false);
        f.word_order = 0;
        f.line = 0;
        // Without a catalogue parameter a special type can only be the register's own: it
        // keeps it, with its swap setting, so that confirming it unchanged changes nothing.
        if (!(f.parameter_class == param_class::none && f.type >= standard_type_count)) {
            clear_special_type(f);
            f.swapped = false;
        }
        row_allows_fract_ = true;
        break;
    }
}
