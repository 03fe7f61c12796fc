#include "edit/register_clipboard.h"

#include "format/register_text.h"

#include "core/text_lines.h"
#include "model/block_layout.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr std::size_t max_line = 255;

// The first line of text (without its line end).
std::string_view first_line(std::string_view text) {
    std::string_view line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::string device_word(int device_code) {
    return std::string(device_words().word_or_default(device_code));
}

} // namespace

std::string registers_text(const zrp_file& map, const std::vector<int>& rows) {
    std::vector<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    std::ostringstream out;
    for (int row : ordered) {
        if (const host_register* reg = map.register_at(row)) {
            // Writing may set a field of the register (an array's format); the map keeps
            // its own.
            host_register copy(*reg);
            write_register(out, copy);
        }
    }
    return out.str();
}

std::string clipboard_payload(int device_code, std::string_view text) {
    std::string payload = device_word(device_code);
    payload += '\n';
    payload += text;
    return payload;
}

bool read_clipboard_payload(std::string_view payload, int& device_code, std::string& text) {
    const std::size_t end = payload.find('\n');
    if (end == std::string_view::npos)
        return false;
    const std::optional<int> device = device_words().find(first_line(payload));
    if (!device)
        return false;
    device_code = *device;
    text.assign(payload.substr(end + 1));
    return true;
}

int text_device(std::string_view text) {
    field_scanner fields(first_line(text));
    std::string word;
    if (!fields.word(word))
        return -1;
    return device_words().find(word).value_or(-1);
}

bool is_register_entry_line(std::string_view line) {
    field_scanner fields(line);
    int value = 0;
    for (int i = 0; i < 6; ++i)
        if (!fields.integer(value))
            return false;
    std::string token;
    if (!fields.word(token, 2) ||
        std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return fields.decimal(value);
}

std::vector<std::unique_ptr<host_register>>
read_clipboard_registers(std::string_view text, int device_code, std::size_t max_count) {
    // The entries are read as a map of the source device reads them.
    zrp_file scratch;
    scratch.header->device_code = device_code;
    std::istringstream in{std::string(text)};
    std::vector<std::unique_ptr<host_register>> registers;
    std::string line;
    while (max_count == 0 || registers.size() < max_count) {
        // Lines that do not start an entry are passed over; the entry is then read whole.
        std::istream::pos_type start = in.tellg();
        bool found = false;
        while (read_line(in, line, max_line) != line_status::end) {
            if (is_register_entry_line(line) && line.find("HREG") == std::string::npos) {
                found = true;
                break;
            }
            start = in.tellg();
        }
        if (!found)
            break;
        in.clear();
        in.seekg(start);
        auto reg = std::make_unique<host_register>(&scratch, 0);
        if (!read_register(in, *reg))
            break;
        reg->owner = nullptr;
        registers.push_back(std::move(reg));
    }
    return registers;
}

bool holds_registers(std::string_view text) {
    return !read_clipboard_registers(text, device_blf, 1).empty();
}

int register_location(const zrp_file& map, int number) {
    const protocol_header* header = map.header.get();
    if (header == nullptr)
        return 0;
    if (!header->is_block_mapped())
        return header->output_base() > header->input_base() && number >= header->output_base();
    const block_layout& layout = header->blocks;
    for (int entry = 0; entry < layout.block_count && entry < block_table_size; ++entry) {
        if (layout.table[static_cast<std::size_t>(entry)].length > 0 &&
            number >= layout.first_register(entry) && number <= layout.last_register(entry))
            return entry;
    }
    return 0;
}

std::string paste_report(const paste_counts& counts) {
    std::string report;
    if (counts.renumbered > 0 || counts.left_out > 0)
        report = "Registers pasted: " + std::to_string(counts.pasted) +
                 "\nRenumbered: " + std::to_string(counts.renumbered) +
                 "\nLeft out (no free register number): " + std::to_string(counts.left_out);
    if (counts.codes_from_device >= 0) {
        if (!report.empty())
            report += '\n';
        report += "The registers come from a " + device_word(counts.codes_from_device) +
                  " map: status words were kept as codes.";
    }
    return report;
}
