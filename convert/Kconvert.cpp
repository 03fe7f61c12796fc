#include "convert/Kconvert.h"

#include "convert/convert_messages.h"
#include "convert/mnemonic_table.h"
#include "core/atomic_write.h"
#include "core/input_file.h"
#include "core/silent_ui.h"
#include "core/text_lines.h"
#include "core/user_interface.h"
#include "model/map_loading.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace {
// Header lines whose first word is one of these are dropped.
constexpr std::string_view obsolete_words[] = {"ONLINE", "SELECTED", "UNSELECTED",
                                               "group",  "FDR_CHAN", "KDU_CHAN"};

bool is_obsolete(std::string_view word) {
    return std::find(std::begin(obsolete_words), std::end(obsolete_words), word) !=
           std::end(obsolete_words);
}

// Register lines (and their continuation lines) shorter than this are ignored.
constexpr std::size_t min_register_line = 10;
constexpr int continuation_lines = 3;

// The fields of one old register line, as far as they could be read.
struct old_register {
    int number = 0, fractions = 0, wholes = 0, format = 0, word_order = 0, negative = 0;
    std::string location = "  ";
    int feeder = 0;
    std::string mnemonic;
    float values[3] = {0, 0, 0};
    bool has_number = false;
};

old_register parse_register(const std::string& line) {
    old_register r;
    field_scanner f(line);
    r.has_number = f.decimal(r.number);
    f.decimal(r.fractions);
    f.decimal(r.wholes);
    f.decimal(r.format);
    f.decimal(r.word_order);
    f.decimal(r.negative);
    f.word(r.location, 2);
    f.decimal(r.feeder);
    f.word(r.mnemonic);
    for (float& v : r.values)
        f.real(v);
    return r;
}

std::string converted_line(const old_register& r, std::string_view name) {
    std::string out;
    for (int v : {r.number, r.fractions, r.wholes, r.format, r.word_order, r.negative})
        out += std::to_string(v) + ' ';
    out += r.location + std::to_string(r.feeder) + ' ';
    out += name;
    out += ' ';
    if (r.format == 1)
        out += format_g(r.values[0]) + ' ' + format_g(r.values[1]) + ' ' + format_g(r.values[2]);
    else if (r.format == 2 || r.format == 5)
        out += format_g(r.values[0]);
    out += '\n';
    return out;
}

void append_line(std::string& to, std::string_view a, std::string_view b = {}) {
    to += a;
    to += b;
    to += '\n';
}
} // namespace

// What one conversion has produced so far.
struct Kconvert::run_state {
    std::string new_text;
    std::string log_text;
    int continuation_left = 0;
    bool errors = false;
};

bool Kconvert::conversion(const std::string& old_path, const std::string& new_path,
                          const std::string& description) {
    using namespace convert_text;
    phase_ = phase_header;
    outcome_ = outcome::failed;
    // A folder, a device or a pipe is no old file: it cannot be opened as one.
    std::string old_text;
    if (read_regular_file(old_path, old_text) != file_read_result::ok) {
        ui().message(std::string(cannot_open));
        return false;
    }
    std::istringstream in(std::move(old_text));

    run_state run;
    append_line(run.log_text, log_input, old_path);
    append_line(run.log_text, log_output, new_path);
    append_line(run.new_text, description);

    bool stopped = false;
    std::string line;
    line_status status;
    int line_number = 0;
    while (!stopped && (status = read_line(in, line, max_line)) != line_status::end) {
        ++line_number;
        if (status == line_status::truncated) {
            // The rest of an over-long line is skipped; the cut is recorded so that the user
            // knows the new file may differ from the old one there.
            append_line(run.log_text, log_error);
            append_line(run.log_text, log_line, std::to_string(line_number));
            append_line(run.log_text, log_line_cut);
            append_line(run.log_text, "");
            run.errors = true;
        }
        switch (phase_) {
        case phase_header: {
            std::string word;
            field_scanner(line).word(word);
            if (is_obsolete(word)) {
                append_line(run.log_text, log_stripped, line);
                break;
            }
            append_line(run.new_text, line);
            if (word == "HREG")
                phase_ = phase_registers;
            break;
        }
        case phase_registers:
            stopped = !convert_register_line(line, run);
            break;
        default: // continuation lines of a bitmap register
            if (line.size() < min_register_line)
                break;
            append_line(run.new_text, line);
            if (--run.continuation_left == 0)
                phase_ = phase_registers;
            break;
        }
    }

    if (!run.errors)
        check_loads_back(run);
    if (run.errors)
        append_line(run.log_text, log_not_written);

    // The log goes first: when it cannot be written, the new file is not touched at all. A
    // conversion with errors leaves no new file: half a map, or one that cannot be opened,
    // would pass for the converted map.
    if (!atomic_write_file(log_path_, run.log_text)) {
        ui().message(std::string(cannot_create_log));
        return false;
    }
    if (!run.errors && !atomic_write_file(new_path, run.new_text)) {
        ui().message(std::string(cannot_open));
        return false;
    }
    outcome_ = run.errors ? outcome::errors : outcome::done;
    ui().message(std::string(run.errors ? errors_found : done));
    return true;
}

void Kconvert::check_loads_back(run_state& run) const {
    using namespace convert_text;
    loaded_map_file load;
    {
        // Loaded as Open would load it; its messages are the log's business here.
        silent_ui quiet;
        scoped_ui use(quiet);
        load = load_map_from_text(run.new_text);
    }
    if (!load.map) {
        append_line(run.log_text, log_error);
        append_line(run.log_text, log_not_loaded, load.report.failure);
        append_line(run.log_text, "");
        run.errors = true;
        return;
    }
    for (const unread_line& line : load.report.unread_lines) {
        append_line(run.log_text, log_error);
        append_line(run.log_text, log_output_line, std::to_string(line.number));
        append_line(run.log_text, log_not_as_written, quoted_line(line.text));
        append_line(run.log_text, "");
        run.errors = true;
    }
}

bool Kconvert::convert_register_line(const std::string& line, run_state& run) {
    using namespace convert_text;
    if (line.size() < min_register_line)
        return true;
    old_register r = parse_register(line);
    if (!r.has_number || r.number < 0)
        return true;
    if (r.format == phase_commands || r.format == phase_status) {
        append_line(run.new_text, line);
        phase_ = r.format;
        run.continuation_left = continuation_lines;
        return true;
    }
    if (r.location != "F:")
        return true;
    if (r.mnemonic.size() > 3) {
        append_line(run.log_text, log_error);
        append_line(run.log_text, log_register, std::to_string(r.number));
        append_line(run.log_text, log_mnemonic, r.mnemonic);
        append_line(run.log_text, log_wrong_type);
        run.errors = true;
        return false;
    }
    if (auto name = new_parameter_name(r.mnemonic, device_code_)) {
        run.new_text += converted_line(r, *name);
        return true;
    }
    append_line(run.log_text, log_error);
    append_line(run.log_text, log_register, std::to_string(r.number));
    append_line(run.log_text, log_mnemonic, r.mnemonic);
    append_line(run.log_text, log_not_found);
    append_line(run.log_text, "");
    run.errors = true;
    return true;
}
