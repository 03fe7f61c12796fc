#include "model/profinet_header.h"

#include "core/text_lines.h"
#include "model/ip_address.h"

namespace {
constexpr const char* keyword = "PROFINET_IO";
}

profinet_header::profinet_header(zrp_file* owner, int device_code, std::uint32_t ip,
                                 std::uint32_t mask, std::uint32_t gateway, int input, int output)
    : protocol_header(owner, "ProfinetIO", device_code, 1, 8, 0, 0, 0, 65535,
                      default_node(device_code), 0),
      ip_address(ip), network_mask(mask), default_gateway(gateway), input_size(input),
      output_size(output) {}

void profinet_header::write(std::ostream& out) {
    // Profinet IO uses neither the node number nor the register limit: both are stored as 0.
    node = 0;
    regmax = 0;
    protocol_header::write(out);
    out << keyword << ' ' << format_dotted(ip_address) << ' ' << format_dotted(network_mask) << ' '
        << format_dotted(default_gateway) << ' ' << input_size << ' ' << output_size << '\n';
}

bool profinet_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    return read_until_hreg(in, [this](const std::string& first, const std::string& line) {
        if (first != keyword)
            return;
        field_scanner fields(line);
        fields.skip_word(19);
        std::string word;
        if (fields.word(word, 19))
            ip_address = parse_dotted(word);
        if (fields.word(word, 19))
            network_mask = parse_dotted(word);
        if (fields.word(word, 19))
            default_gateway = parse_dotted(word);
        fields.integer(input_size);
        fields.integer(output_size);
    });
}

bool profinet_header::decode_image(const image_header& header, byte_reader& records,
                                   const image_info_block& info, int device_code) {
    protocol_header::decode_image(header, records, info, device_code);
    if (!info_starts_with(info, keyword))
        return false;
    ip_address = parse_dotted(info_slot(info, 16));
    network_mask = parse_dotted(info_slot(info, 32));
    default_gateway = parse_dotted(info_slot(info, 48));
    input_size = info_slot_integer(info, 64, input_size);
    output_size = info_slot_integer(info, 80, output_size);
    return true;
}

void profinet_header::encode_image(image_header& header, image_info_block& info) const {
    protocol_header::encode_image(header, info);
    put_info_text(info, 0, keyword);
    put_info_text(info, 16, format_dotted(ip_address));
    put_info_text(info, 32, format_dotted(network_mask));
    put_info_text(info, 48, format_dotted(default_gateway));
    put_info_text(info, 64, std::to_string(input_size));
    put_info_text(info, 80, std::to_string(output_size));
}

int profinet_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    values.ip_address = ip_address;
    values.network_mask = network_mask;
    values.default_gateway = default_gateway;
    values.input_size = input_size;
    values.output_size = output_size;
    int result = dialogs().run_protocol_settings(settings_dialog_kind::profinet, values);
    if (result == 1) {
        ip_address = values.ip_address;
        network_mask = values.network_mask;
        default_gateway = values.default_gateway;
        byte_order = values.byte_order;
        input_size = values.input_size;
        output_size = values.output_size;
    }
    return result;
}

int profinet_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    if (form->byte_order == byte_order && form->ip_address == ip_address &&
        form->network_mask == network_mask && form->default_gateway == default_gateway &&
        form->input_size == input_size && form->output_size == output_size)
        return 0;
    byte_order = form->byte_order;
    ip_address = form->ip_address;
    network_mask = form->network_mask;
    default_gateway = form->default_gateway;
    input_size = form->input_size;
    output_size = form->output_size;
    return 1;
}
