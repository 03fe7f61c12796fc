#include "model/ethernetip_header.h"

#include "core/text_lines.h"
#include "model/ip_address.h"

namespace {
constexpr const char* keyword = "ETHIP";
} // namespace

ethernetip_header::ethernetip_header(zrp_file* owner, int device_code)
    : protocol_header(owner, "Ethernet/IP", device_code, 1, 8, 0, 0, 0, 65535, 0, 1) {}

void ethernetip_header::write(std::ostream& out) {
    protocol_header::write(out);
    out << keyword << ' ' << format_dotted(ip_address) << ' ' << format_dotted(network_mask) << ' '
        << format_dotted(default_gateway) << ' ' << blocks.io_input_size << ' '
        << blocks.io_output_size << '\n';
    blocks.write_lines(out);
}

bool ethernetip_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    blocks.begin_read();
    int inputs_read = 0;
    int outputs_read = 0;
    bool ended = read_until_hreg(in, [&](const std::string& first, const std::string& line) {
        if (first == keyword) {
            // Only the addresses survive; the sizes are derived from the blocks at the end.
            field_scanner fields(line);
            fields.skip_word(19);
            std::string word;
            if (fields.word(word))
                ip_address = parse_dotted(word);
            if (fields.word(word))
                network_mask = parse_dotted(word);
            if (fields.word(word))
                default_gateway = parse_dotted(word);
            fields.integer(blocks.io_input_size);
            fields.integer(blocks.io_output_size);
            return;
        }
        blocks.read_line(first, line, inputs_read, outputs_read);
    });
    if (ended)
        blocks.finish_read();
    return ended;
}

bool ethernetip_header::decode_image(const image_header& header, byte_reader& records,
                                     const image_info_block& info, int device_code) {
    protocol_header::decode_image(header, records, info, device_code);
    if (!info_starts_with(info, keyword))
        return false;
    ip_address = parse_dotted(info_slot(info, 16));
    network_mask = parse_dotted(info_slot(info, 32));
    default_gateway = parse_dotted(info_slot(info, 48));
    blocks.decode_image_blocks(info_slot_integer(info, 64, 0), info_slot_integer(info, 80, 0),
                               header, records, info, device_code);
    return true;
}

void ethernetip_header::encode_image(image_header& header, image_info_block& info) const {
    protocol_header::encode_image(header, info);
    blocks.encode_block_flag(header);
    put_info_text(info, 0, keyword);
    put_info_text(info, 16, format_dotted(ip_address));
    put_info_text(info, 32, format_dotted(network_mask));
    put_info_text(info, 48, format_dotted(default_gateway));
    put_info_text(info, 64, std::to_string(blocks.io_input_size));
    put_info_text(info, 80, std::to_string(blocks.io_output_size));
}

int ethernetip_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    values.ip_address = ip_address;
    values.network_mask = network_mask;
    values.default_gateway = default_gateway;
    blocks.preset_dialog(values);
    int result = dialogs().run_protocol_settings(settings_dialog_kind::ethernetip, values);
    if (result == 1) {
        byte_order = values.byte_order;
        blocks.take_dialog(values);
        ip_address = values.ip_address;
        network_mask = values.network_mask;
        default_gateway = values.default_gateway;
    }
    return result;
}

int ethernetip_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    if (form->byte_order == byte_order && form->ip_address == ip_address &&
        form->network_mask == network_mask && form->default_gateway == default_gateway)
        return 0;
    byte_order = form->byte_order;
    ip_address = form->ip_address;
    network_mask = form->network_mask;
    default_gateway = form->default_gateway;
    return 1;
}

int ethernetip_header::next_block_register(int block_index) {
    return blocks.next_register(owner, block_index);
}

int ethernetip_header::block_table(const block_table_t** table) const {
    if (table != nullptr)
        *table = &blocks.table;
    return blocks.block_count;
}
