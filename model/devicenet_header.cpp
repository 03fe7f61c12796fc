#include "model/devicenet_header.h"

#include "core/text_lines.h"

namespace {
constexpr const char* keyword = "DEVICENET";
} // namespace

devicenet_header::devicenet_header(zrp_file* owner, int device_code)
    : protocol_header(owner, "DeviceNet", device_code, 1, 8, 0, 0, 0, 65535, 0, 1) {}

void devicenet_header::write(std::ostream& out) {
    protocol_header::write(out);
    out << keyword << ' ' << blocks.io_input_size << ' ' << blocks.io_output_size << '\n';
    blocks.write_lines(out);
}

bool devicenet_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    blocks.begin_read();
    input_lines_read = 0;
    output_lines_read = 0;
    bool ended = read_until_hreg(in, [this](const std::string& first, const std::string& line) {
        if (first == keyword) {
            // The sizes are derived from the blocks once the header ends.
            field_scanner fields(line);
            fields.skip_word(19);
            fields.integer(blocks.io_input_size);
            fields.integer(blocks.io_output_size);
            return;
        }
        blocks.read_line(first, line, input_lines_read, output_lines_read);
    });
    if (ended)
        blocks.finish_read();
    return ended;
}

bool devicenet_header::decode_image(const image_header& header, byte_reader& records,
                                    const image_info_block& info, int device_code) {
    protocol_header::decode_image(header, records, info, device_code);
    if (!info_starts_with(info, keyword))
        return false;
    blocks.decode_image_blocks(info_slot_integer(info, 16, 0), info_slot_integer(info, 32, 0),
                               header, records, info, device_code);
    return true;
}

void devicenet_header::encode_image(image_header& header, image_info_block& info) const {
    protocol_header::encode_image(header, info);
    blocks.encode_block_flag(header);
    put_info_text(info, 0, keyword);
    put_info_text(info, 16, std::to_string(blocks.io_input_size));
    put_info_text(info, 32, std::to_string(blocks.io_output_size));
}

int devicenet_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    blocks.preset_dialog(values);
    int result = dialogs().run_protocol_settings(settings_dialog_kind::devicenet, values);
    if (result == 1) {
        byte_order = values.byte_order;
        blocks.take_dialog(values);
    }
    return result;
}

int devicenet_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling || form->byte_order == byte_order)
        return 0;
    byte_order = form->byte_order;
    return 1;
}

int devicenet_header::next_block_register(int block_index) {
    return blocks.next_register(owner, block_index);
}

int devicenet_header::block_table(const block_table_t** table) const {
    if (table != nullptr)
        *table = &blocks.table;
    return blocks.block_count;
}
