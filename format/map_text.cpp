#include "format/map_text.h"

#include "core/input_file.h"
#include "core/text_lines.h"
#include "core/user_interface.h"
#include "format/header_codec.h"
#include "format/map_line_source.h"
#include "format/register_text.h"
#include "model/model_tables.h"
#include "model/register_overlap_index.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <climits>
#include <sstream>

namespace {

constexpr std::size_t max_line = 255;

// Widths and ends are taken in 64 bits: counts read from a file can be anything.
long long end_of(const host_register& reg) {
    return reg.register_number + static_cast<long long>(reg.whole_count) + reg.fraction_count;
}

int clamp_to_int(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// The number next_free_register(0) proposes while a load only appends registers, kept up to
// date per appended register instead of walking the whole list for every entry.
class input_proposal {
  public:
    explicit input_proposal(const protocol_header* header) {
        if (header == nullptr)
            return;
        if (header->is_block_mapped()) {
            // The header's own answer for block 0: the end of the last register that ends
            // inside (or before) the block's last number, at least the block's first number.
            block_mapped_ = true;
            block_first_ = header->blocks.first_register(0);
            block_last_ = static_cast<long long>(block_first_) + header->blocks.table[0].length - 1;
        } else {
            input_base_ = header->input_base();
            output_base_ = header->output_base();
        }
    }

    int next() const {
        if (block_mapped_)
            return has_block_end_ ? clamp_to_int(std::max<long long>(block_end_, block_first_))
                                  : block_first_;
        if (count_ == 0)
            return input_base_;
        return clamp_to_int(stop_found_ ? stop_result_ : last_end_);
    }

    void appended(const host_register& reg) {
        const long long end = end_of(reg);
        if (block_mapped_) {
            if (end <= block_last_) {
                block_end_ = end;
                has_block_end_ = true;
            }
            return;
        }
        // The walk of next_free_register stops at the first register reaching the output
        // area; registers appended later never change where it stops.
        if (!stop_found_ && input_base_ < output_base_ && end - 1 >= output_base_) {
            stop_found_ = true;
            stop_result_ = count_ == 0 ? input_base_ : last_end_;
        }
        last_end_ = end;
        ++count_;
    }

  private:
    bool block_mapped_ = false;
    int block_first_ = 0;
    long long block_last_ = -1;
    long long block_end_ = 0;
    bool has_block_end_ = false;

    int input_base_ = 0;
    int output_base_ = 0;
    std::size_t count_ = 0;
    long long last_end_ = 0;
    bool stop_found_ = false;
    long long stop_result_ = 0;
};

// Why the header of the text from start could not be read: bytes that are not text, or the
// line it stopped short of.
std::string header_failure(std::istream& in, std::istream::pos_type start) {
    in.clear();
    in.seekg(start);
    bool has_nodenum = false;
    std::string line;
    while (read_line(in, line, max_line) != line_status::end) {
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return is_non_text_byte(static_cast<unsigned char>(c)); }))
            return "not text";
        std::string first;
        if (field_scanner(line).word(first) && first == "NODENUM")
            has_nodenum = true;
    }
    return has_nodenum ? "no HREG line" : "no NODENUM line";
}

bool is_device_word(const std::string& word) {
    return word.size() == 3 && device_words().word(device_words().code(word)) == word;
}

} // namespace

void write_map(std::ostream& out, zrp_file& map) {
    if (!map.header)
        return;
    write_header(out, *map.header);
    out << "HREG\n";
    for (auto& reg : map.registers)
        write_register(out, *reg);
}

bool read_map(std::istream& in, zrp_file& map, user_interface& ui, map_read_report* out) {
    map_read_report ignored;
    map_read_report& report = out ? *out : ignored;
    report = {};
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1)) {
        // The first line is looked at twice; a stream that cannot go back is read whole, up
        // to the input bound (endless input fails the load).
        std::string copy;
        if (!read_bounded(in, copy)) {
            report.failure = "larger than 256 MiB, or unreadable";
            return false;
        }
        std::istringstream again(std::move(copy));
        return read_map(again, map, ui, &report);
    }

    // Up to three characters of the first line, blanks skipped, decide whether it is a
    // device line.
    std::string peek;
    while (peek.size() < 3) {
        const auto c = in.get();
        if (c == std::istream::traits_type::eof() || c == '\n')
            break;
        if (c == ' ' || c == '\t')
            continue;
        peek.push_back(static_cast<char>(c));
    }
    in.clear();
    in.seekg(start);

    std::string device_word = peek;
    std::string protocol_word;
    if (is_device_word(peek)) {
        std::string line;
        read_line(in, line, max_line);
        field_scanner fields(line);
        fields.word(device_word);
        fields.word(protocol_word);
    }

    map.clear();
    const int code = protocol_words().code(protocol_word);
    set_network_protocol_flag(code);
    map.create_header(code, device_words().code(device_word));
    if (!read_header(in, *map.header)) {
        report.failure = header_failure(in, start);
        return false;
    }

    // The header's lines go through the line source once more, to number them and note
    // those that hold what no text does; the registers are read through it from there on.
    in.clear();
    const std::istream::pos_type header_end = in.tellg();
    in.seekg(start);
    map_line_source lines(in, &report.unread_lines);
    std::string line;
    while (in.tellg() < header_end && lines.next(line)) {
    }
    report.header_lines = lines.line_number();
    in.clear();
    in.seekg(header_end);

    input_proposal proposal(map.header.get());
    register_overlap_index accepted;
    for (;;) {
        auto reg = std::make_unique<host_register>(&map, 0);
        reg->register_number = proposal.next();
        if (!read_register(lines, *reg))
            break;
        if (accepted.conflicts(*reg)) {
            ui.message(conflicting_register_message(*reg));
            continue;
        }
        accepted.insert(*reg);
        proposal.appended(*reg);
        map.registers.push_back(std::move(reg));
    }
    return true;
}
