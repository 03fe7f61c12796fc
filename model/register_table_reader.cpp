#include "model/register_table_reader.h"

#include "model/csv_reader.h"
#include "model/map_editor.h"
#include "model/model_tables.h"
#include "model/register_table.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

namespace {

// Lengths the map reader keeps of a parameter name and a command mnemonic.
constexpr std::size_t max_name = 19;
constexpr std::size_t max_mnemonic = 4;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// A decimal number filling the whole text (an optional sign, digits), within int.
bool parse_int(std::string_view s, int& out) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

// Digits only, up to 4294967295 (a status bit position as the map file writes it).
bool parse_unsigned(std::string_view s, unsigned& out) {
    unsigned long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v > UINT_MAX)
        return false;
    out = static_cast<unsigned>(v);
    return true;
}

// A floating-point number filling the whole text ("inf" and "nan" as %g writes them).
bool parse_float(std::string_view s, float& out) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

// A word of table, or a number for a code without a word.
bool parse_code(const word_table& table, std::string_view s, int& out) {
    if (auto code = table.find(s)) {
        out = *code;
        return true;
    }
    return parse_int(s, out);
}

std::vector<std::string_view> words_of(std::string_view s) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        if (i > start)
            words.push_back(s.substr(start, i - start));
    }
    return words;
}

} // namespace

std::string register_table_error::message() const {
    std::string where = row <= 1 ? "Header row" : "Row " + std::to_string(row);
    if (!column.empty())
        where += ", column " + column;
    return where + ": " + text;
}

// One record's cells by column, trimmed; a column the table lacks (or a short record) gives
// an empty cell.
class register_table_reader::row_cells {
  public:
    row_cells(const std::vector<std::string>& fields, const std::vector<int>& column_of_field)
        : fields_(fields), columns_(column_of_field) {}

    std::string_view operator[](int column) const {
        const int index = columns_[static_cast<std::size_t>(column)];
        if (index < 0 || index >= static_cast<int>(fields_.size()))
            return {};
        return trimmed(fields_[static_cast<std::size_t>(index)]);
    }
    bool all_empty() const {
        for (const std::string& f : fields_)
            if (!trimmed(f).empty())
                return false;
        return true;
    }

  private:
    const std::vector<std::string>& fields_;
    const std::vector<int>& columns_;
};

bool register_table_reader::fail(int row, std::string column, std::string text) {
    error_ = {row, std::move(column), std::move(text)};
    registers_.clear();
    return false;
}

bool register_table_reader::read_header(const std::vector<std::string>& names) {
    const auto& known = table_column_names();
    column_of_field_.assign(table_column_count, -1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        // A name is the column's apart from blanks and carriage returns a line end left.
        std::string_view name = names[i];
        while (!name.empty() &&
               (name.front() == ' ' || name.front() == '\t' || name.front() == '\r'))
            name.remove_prefix(1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r'))
            name.remove_suffix(1);
        for (int c = 0; c < table_column_count; ++c) {
            if (known[static_cast<std::size_t>(c)] != name)
                continue;
            if (column_of_field_[static_cast<std::size_t>(c)] != -1)
                return fail(1, std::string(name), "the column appears twice");
            column_of_field_[static_cast<std::size_t>(c)] = static_cast<int>(i);
        }
    }
    for (int required : {col_register, col_format})
        if (column_of_field_[static_cast<std::size_t>(required)] == -1)
            return fail(
                1, "", "the table has no " + known[static_cast<std::size_t>(required)] + " column");
    return true;
}

bool register_table_reader::read(std::string_view table) {
    registers_.clear();
    error_ = {};
    csv_reader csv(table);
    std::vector<std::string> fields;
    auto syntax_error = [&] {
        const int row = csv.record_number();
        std::string column;
        if (row > 1)
            for (int c = 0; c < table_column_count; ++c)
                if (column_of_field_[static_cast<std::size_t>(c)] == csv.error_field())
                    column = table_column_names()[static_cast<std::size_t>(c)];
        return fail(row, column, csv.error());
    };
    if (!csv.next(fields)) {
        if (!csv.error().empty())
            return syntax_error();
        return fail(1, "", "the table has no header row");
    }
    if (!read_header(fields))
        return false;
    while (csv.next(fields)) {
        const row_cells cells(fields, column_of_field_);
        if (cells.all_empty())
            continue;
        if (!read_row(cells, csv.record_number()))
            return false;
    }
    if (!csv.error().empty())
        return syntax_error();
    return true;
}

bool register_table_reader::read_row(const row_cells& cells, int row) {
    const auto& names = table_column_names();
    auto bad = [&](int column, std::string why) {
        return fail(row, names[static_cast<std::size_t>(column)], std::move(why));
    };
    auto required = [&](int column) {
        return cells[column].empty() ? bad(column, "the cell is empty") : true;
    };
    // An integer cell; empty keeps the default.
    auto integer = [&](int column, int& out) {
        const std::string_view cell = cells[column];
        return cell.empty() || parse_int(cell, out) ||
               bad(column, quoted(cell) + " is not a whole number");
    };
    auto real = [&](int column, float& out) {
        const std::string_view cell = cells[column];
        return cell.empty() || parse_float(cell, out) ||
               bad(column, quoted(cell) + " is not a number");
    };
    auto code = [&](int column, const word_table& table, const char* words, int& out) {
        const std::string_view cell = cells[column];
        return cell.empty() || parse_code(table, cell, out) ||
               bad(column, quoted(cell) + " is not " + words);
    };

    auto reg = std::make_unique<host_register>(&map_, 0);
    if (!required(col_register) || !integer(col_register, reg->register_number) ||
        !required(col_format) ||
        !code(col_format, format_names(), "a register format name or number", reg->format))
        return false;

    if (format_writes_name(reg->format)) {
        const std::string_view name = cells[col_parameter];
        if (std::any_of(name.begin(), name.end(),
                        [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }))
            return bad(col_parameter, quoted(name) + " is not one word");
        // A register line holding this word is skipped by the map reader.
        if (name.find("HREG") != std::string_view::npos)
            return bad(col_parameter, quoted(name) + " holds \"HREG\", which a map file cannot "
                                                     "hold in a register entry");
        reg->name = std::string(name.substr(0, max_name));
        // The array parameters are stored as pass-through integers; the name makes them arrays.
        if (is_array_parameter(reg->name))
            reg->format = fmt_int_passthru;
    }
    if (!integer(col_feeder, reg->feeder) || !integer(col_fractional_words, reg->fraction_count) ||
        !integer(col_whole_words, reg->whole_count) ||
        !code(col_word_order, table_word_order_words(), "NORMAL, REVERSED or a number",
              reg->word_order) ||
        !code(col_negative, table_negative_words(), "SIGNED, UNSIGNED, FORCE_0 or a number",
              reg->negative))
        return false;
    reg->swap = reg->format == fmt_string_val;

    bool ok = true;
    switch (reg->format) {
    case fmt_int_numeric:
        ok = real(col_maximum, reg->maximum) && real(col_minimum, reg->minimum) &&
             real(col_scale, reg->scale);
        break;
    case fmt_int_dec_shift:
        ok = integer(col_decimal_shift, reg->decimal_shift);
        break;
    case fmt_rom_constant:
        ok = integer(col_rom_constant, reg->rom_constant);
        break;
    case fmt_commands:
    case fmt_status:
        ok = read_bits(cells, row, *reg);
        break;
    default:
        break;
    }
    if (!ok)
        return false;
    registers_.push_back(std::move(reg));
    return true;
}

// The sixteen bit cells of a bitmapped register: "F:<feeder> <mnemonic> <value name>" for
// commands, "F:<feeder> <status mnemonic> <bit position>" for status; an empty cell keeps the
// bit's defaults.
bool register_table_reader::read_bits(const row_cells& cells, int row, host_register& reg) {
    const bool commands = reg.format == fmt_commands;
    const int device = reg.device_code();
    for (int bit = 15; bit >= 0; --bit) {
        const int column = bit_column(bit);
        const std::string_view cell = cells[column];
        if (cell.empty())
            continue;
        auto bad = [&](std::string why) {
            return fail(row, table_column_names()[static_cast<std::size_t>(column)],
                        std::move(why));
        };
        const std::vector<std::string_view> items = words_of(cell);
        int feeder = 0;
        if (items.size() != 3 || items[0].substr(0, 2) != "F:" ||
            !parse_int(items[0].substr(2), feeder))
            return bad(quoted(cell) + (commands ? " is not \"F:<feeder> <mnemonic> <value>\""
                                                : " is not \"F:<feeder> <mnemonic> <bit>\""));
        if (commands) {
            command_bit& c = reg.commands[static_cast<std::size_t>(bit)];
            auto value = command_value_words().find(items[2]);
            if (!value)
                return bad(quoted(items[2]) + " is not a command value (OFF, HI, LO, HIT, LOT "
                                              "or XOT)");
            c.feeder = feeder;
            c.mnemonic = std::string(items[1].substr(0, max_mnemonic));
            c.value = *value;
        } else {
            status_bit& s = reg.status[static_cast<std::size_t>(bit)];
            const int code = status_code(device, items[1]);
            if (status_mnemonic(device, code) != items[1])
                return bad(quoted(items[1]) + " is not a status mnemonic of " +
                           std::string(device_words().word_or_default(device)));
            unsigned position = 0;
            if (!parse_unsigned(items[2], position))
                return bad(quoted(items[2]) + " is not a bit position");
            s.feeder = feeder;
            s.code = code;
            s.bit_position = static_cast<int>(position);
        }
    }
    return true;
}

std::optional<register_table_error> import_register_table(std::string_view table, zrp_file& map) {
    register_table_reader reader(map);
    if (!reader.read(table))
        return reader.error();
    map_editor(map).replace_registers(std::move(reader.registers()));
    return std::nullopt;
}
