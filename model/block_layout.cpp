#include "model/block_layout.h"

#include "core/text_lines.h"
#include "model/host_register.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int blocks_per_direction = 11; // 5 I/O blocks and 6 Param blocks
constexpr int output_first_entry = 11;
constexpr int output_register_offset = 1024;
constexpr int param_usage_limit = 1024;

// Image block area: counts, then 11 input blocks at 4, 11 output blocks at 224; 444 bytes.
constexpr std::size_t area_size = 444;
constexpr std::size_t input_blocks_offset = 4;
constexpr std::size_t output_blocks_offset = 224;

int clamp_int(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

long long block_end(const block_entry& e) {
    return static_cast<long long>(e.start) + e.length;
}

// The non-empty entry with the highest start in [first, last]; later entries win ties.
const block_entry* highest_block(const block_table_t& table, int first, int last) {
    const block_entry* best = nullptr;
    for (int i = first; i <= last; ++i)
        if (table[i].length != 0 && (best == nullptr || table[i].start >= best->start))
            best = &table[i];
    return best;
}

int io_size(const block_table_t& table, int first) {
    const block_entry* top = highest_block(table, first, first + 4);
    return top == nullptr ? 0 : clamp_int(block_end(*top));
}

// Registers spanned by the Param blocks in [first, first + 5]: from the lowest start to the end
// of the highest-starting block; 0 when none starts at or below the Param area's limit.
int param_usage(const block_table_t& table, int first) {
    const block_entry* top = highest_block(table, first, first + 5);
    if (top == nullptr)
        return 0;
    int lowest = INT_MAX;
    for (int i = first; i <= first + 5; ++i)
        if (table[i].length != 0)
            lowest = std::min(lowest, table[i].start);
    if (lowest > param_usage_limit)
        return 0;
    return clamp_int(block_end(*top) - lowest);
}

// Entries of one direction that an image area must carry so that every defined block (start
// or length set) is restored.
int used_entries(const block_table_t& table, int first) {
    int used = 0;
    for (int k = 0; k < blocks_per_direction; ++k)
        if (table[first + k].start != 0 || table[first + k].length != 0)
            used = k + 1;
    return used;
}

} // namespace

int block_layout::role_area(int entry) {
    int k = entry % blocks_per_direction;
    return k < 5 ? 0 : 1;
}

int block_layout::role_direction(int entry) {
    return entry < output_first_entry ? 0 : 1;
}

block_layout block_layout::default_layout(int io_input_length, int io_output_length) {
    block_layout layout;
    layout.block_count = block_table_size;
    layout.assign_roles();
    layout.table[0].length = io_input_length;
    layout.table[output_first_entry].length = io_output_length;
    layout.io_input_size = io_input_length;
    layout.io_output_size = io_output_length;
    return layout;
}

void block_layout::assign_roles() {
    for (int i = 0; i < block_table_size; ++i) {
        table[i].area = role_area(i);
        table[i].direction = role_direction(i);
    }
}

void block_layout::compute_io_sizes() {
    io_input_size = io_size(table, 0);
    io_output_size = io_size(table, output_first_entry);
}

void block_layout::compute_param_usages() {
    param_input_usage = param_usage(table, 5);
    param_output_usage = param_usage(table, output_first_entry + 5);
}

std::string block_layout::loss_on_save() const {
    // Without blocks no block lines are written, and reading gives 22 empty blocks.
    if (block_count == 0)
        return "it has no block definitions: a saved file reads back with 22 empty blocks" +
               std::string(io_input_size != 0 || io_output_size != 0 ? " and I/O sizes 0" : "");
    const int input = io_size(table, 0);
    const int output = io_size(table, output_first_entry);
    if (input == io_input_size && output == io_output_size)
        return {};
    return "the I/O sizes " + std::to_string(io_input_size) + " and " +
           std::to_string(io_output_size) + " are not those of the blocks (" +
           std::to_string(input) + " and " + std::to_string(output) + "), which a saved file gives";
}

void block_layout::write_lines(std::ostream& out) const {
    if (block_count == 0)
        return;
    for (int i = 0; i < block_table_size; ++i)
        out << (role_direction(i) == 0 ? "INPUT_BLOCK " : "OUTPUT_BLOCK ") << table[i].start << '/'
            << table[i].length << '\n';
}

void block_layout::begin_read() {
    block_count = block_table_size;
    table = block_table_t{};
}

bool block_layout::read_line(const std::string& keyword, const std::string& line, int& inputs_read,
                             int& outputs_read) {
    int* counter = nullptr;
    int first = 0;
    if (keyword == "INPUT_BLOCK") {
        counter = &inputs_read;
    } else if (keyword == "OUTPUT_BLOCK") {
        counter = &outputs_read;
        first = output_first_entry;
    } else {
        return false;
    }
    int k = (*counter)++;
    if (k < 0 || k >= blocks_per_direction)
        return true;
    // A line whose numbers do not parse still takes its place; what parses is kept.
    block_entry& entry = table[first + k];
    field_scanner fields(line);
    fields.skip_word(19);
    fields.decimal(entry.start);
    fields.literal('/');
    fields.decimal(entry.length);
    return true;
}

void block_layout::finish_read() {
    assign_roles();
    compute_io_sizes();
    compute_param_usages();
}

namespace {
constexpr std::uint8_t block_flag = 0x80; // top bit of the image header's word at offset 22
}

void block_layout::decode_image_blocks(int io_input, int io_output, const image_header& header,
                                       byte_reader& records, const image_info_block& info,
                                       int device_code) {
    io_input_size = io_input;
    io_output_size = io_output;
    if ((header[22] & block_flag) == 0) {
        *this = default_layout(io_input, io_output);
        return;
    }
    decode_image_area(header, records, info, device_code);
}

void block_layout::encode_block_flag(image_header& header) const {
    if (block_count != 0)
        header[22] |= block_flag;
}

bool block_layout::decode_image_area(const image_header& header, byte_reader& records,
                                     const image_info_block& info, int device_code) {
    const std::size_t records_start = records.position();
    int record_count = be16(header.data() + 30);
    bool complete = true;
    for (int i = 0; i < record_count && complete; ++i) {
        host_register skipped(nullptr, 0);
        complete = skipped.decode_image(header, records, info, device_code);
    }
    std::vector<std::uint8_t> area;
    complete = complete && records.bytes(area_size, area);
    records.seek(records_start);
    if (!complete)
        return false;

    int input_count = be16(area.data());
    int output_count = be16(area.data() + 2);
    block_count = block_table_size;
    table = block_table_t{};
    for (int k = 0; k < blocks_per_direction; ++k) {
        const std::uint8_t* in = area.data() + input_blocks_offset + 4 * k;
        const std::uint8_t* out = area.data() + output_blocks_offset + 4 * k;
        if (k < input_count)
            table[k] = {0, 0, be16(in), be16(in + 2)};
        // The card's output count admits one block more than it names; output block 0 is
        // always taken.
        if (k <= output_count)
            table[output_first_entry + k] = {0, 0, be16(out), be16(out + 2)};
    }
    assign_roles();
    compute_param_usages();
    return true;
}

void block_layout::encode_block_area(byte_writer& out) const {
    const std::size_t begin = out.data().size();
    int input_count = block_count == 0 ? 0 : used_entries(table, 0);
    int output_count = block_count == 0 ? 0 : used_entries(table, output_first_entry);
    out.u16(static_cast<std::uint16_t>(input_count));
    out.u16(static_cast<std::uint16_t>(output_count));
    for (int first : {0, output_first_entry}) {
        const std::size_t at = begin + (first == 0 ? input_blocks_offset : output_blocks_offset);
        out.data().resize(at, 0);
        for (int k = 0; k < blocks_per_direction; ++k) {
            const block_entry& e = table[first + k];
            out.u16(static_cast<std::uint16_t>(block_count == 0 ? 0 : e.start));
            out.u16(static_cast<std::uint16_t>(block_count == 0 ? 0 : e.length));
        }
    }
    out.data().resize(begin + area_size, 0);
}

void block_layout::preset_dialog(protocol_dialog_values& values) const {
    const block_layout layout = block_count == 0 ? default_layout(256, 256) : *this;
    values.block_count = layout.block_count;
    values.blocks = layout.table;
    values.io_input_size = layout.io_input_size;
    values.io_output_size = layout.io_output_size;
    values.param_input_usage = layout.param_input_usage;
    values.param_output_usage = layout.param_output_usage;
}

void block_layout::take_dialog(const protocol_dialog_values& values) {
    block_count = values.block_count;
    table = values.blocks;
    io_input_size = values.io_input_size;
    io_output_size = values.io_output_size;
    param_input_usage = values.param_input_usage;
    param_output_usage = values.param_output_usage;
}

int block_layout::first_register(int entry) const {
    if (entry < 0 || entry >= block_table_size)
        return -1;
    long long first = table[entry].start;
    if (role_direction(entry) == 1)
        first += output_register_offset;
    return clamp_int(first);
}

int block_layout::last_register(int entry) const {
    if (entry < 0 || entry >= block_table_size)
        return -1;
    return clamp_int(static_cast<long long>(first_register(entry)) + table[entry].length - 1);
}

int block_layout::next_register(const zrp_file* file, int entry) const {
    if (entry < 0 || entry >= block_table_size)
        return -1;
    const int first = first_register(entry);
    const long long last = static_cast<long long>(first) + table[entry].length - 1;
    if (file != nullptr) {
        for (auto it = file->registers.rbegin(); it != file->registers.rend(); ++it) {
            const host_register& reg = **it;
            long long end =
                static_cast<long long>(reg.register_number) + reg.whole_count + reg.fraction_count;
            if (end <= last)
                return clamp_int(std::max<long long>(end, first));
        }
    }
    return first;
}
