#include "format/block_codec.h"

#include "core/text_lines.h"
#include "format/register_image.h"
#include "model/host_register.h"

namespace {

constexpr int blocks_per_direction = 11; // 5 I/O blocks and 6 Param blocks
constexpr int output_first_entry = 11;
// Image block area: counts, then 11 input blocks at 4, 11 output blocks at 224; 444 bytes.
constexpr std::size_t area_size = 444;
constexpr std::size_t input_blocks_offset = 4;
constexpr std::size_t output_blocks_offset = 224;
constexpr std::uint8_t block_flag = 0x80; // top bit of the image header's word at offset 22

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

void write_block_lines(std::ostream& out, const block_layout& layout) {
    if (layout.block_count == 0)
        return;
    for (int i = 0; i < block_table_size; ++i)
        out << (block_layout::role_direction(i) == 0 ? "INPUT_BLOCK " : "OUTPUT_BLOCK ")
            << layout.table[i].start << '/' << layout.table[i].length << '\n';
}

void begin_block_lines(block_layout& layout) {
    layout.block_count = block_table_size;
    layout.table = block_table_t{};
}

bool read_block_line(block_layout& layout, const std::string& keyword, const std::string& line,
                     int& inputs_read, int& outputs_read) {
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
    block_entry& entry = layout.table[first + k];
    field_scanner fields(line);
    fields.skip_word(19);
    fields.decimal(entry.start);
    fields.literal('/');
    fields.decimal(entry.length);
    return true;
}

void end_block_lines(block_layout& layout) {
    layout.assign_roles();
    layout.compute_io_sizes();
    layout.compute_param_usages();
}

void decode_image_blocks(block_layout& layout, const image_header& header, byte_reader& records,
                         int device_code) {
    if ((header[22] & block_flag) == 0) {
        layout = block_layout::default_layout(layout.io_input_size, layout.io_output_size);
        return;
    }
    decode_block_area(layout, header, records, device_code);
}

void encode_block_flag(const block_layout& layout, image_header& header) {
    if (layout.block_count != 0)
        header[22] |= block_flag;
}

bool decode_block_area(block_layout& layout, const image_header& header, byte_reader& records,
                       int device_code) {
    const std::size_t records_start = records.position();
    int record_count = be16(header.data() + 30);
    bool complete = true;
    for (int i = 0; i < record_count && complete; ++i) {
        host_register skipped(nullptr, 0);
        complete = decode_register_image(skipped, records, device_code);
    }
    std::vector<std::uint8_t> area;
    complete = complete && records.bytes(area_size, area);
    records.seek(records_start);
    if (!complete)
        return false;

    int input_count = be16(area.data());
    int output_count = be16(area.data() + 2);
    layout.block_count = block_table_size;
    layout.table = block_table_t{};
    for (int k = 0; k < blocks_per_direction; ++k) {
        const std::uint8_t* in = area.data() + input_blocks_offset + 4 * k;
        const std::uint8_t* out = area.data() + output_blocks_offset + 4 * k;
        if (k < input_count)
            layout.table[k] = {0, 0, be16(in), be16(in + 2)};
        // The card's output count admits one block more than it names; output block 0 is
        // always taken.
        if (k <= output_count)
            layout.table[output_first_entry + k] = {0, 0, be16(out), be16(out + 2)};
    }
    layout.assign_roles();
    layout.compute_param_usages();
    return true;
}

void encode_block_area(const block_layout& layout, byte_writer& out) {
    const std::size_t begin = out.data().size();
    int input_count = layout.block_count == 0 ? 0 : used_entries(layout.table, 0);
    int output_count = layout.block_count == 0 ? 0 : used_entries(layout.table, output_first_entry);
    out.u16(static_cast<std::uint16_t>(input_count));
    out.u16(static_cast<std::uint16_t>(output_count));
    for (int first : {0, output_first_entry}) {
        const std::size_t at = begin + (first == 0 ? input_blocks_offset : output_blocks_offset);
        out.data().resize(at, 0);
        for (int k = 0; k < blocks_per_direction; ++k) {
            const block_entry& e = layout.table[first + k];
            out.u16(static_cast<std::uint16_t>(layout.block_count == 0 ? 0 : e.start));
            out.u16(static_cast<std::uint16_t>(layout.block_count == 0 ? 0 : e.length));
        }
    }
    out.data().resize(begin + area_size, 0);
}
