#include "model/mbtcp_header.h"

#include "core/text_lines.h"
#include "model/ip_address.h"

namespace {
constexpr const char* keyword = "MBTCP";
}

mbtcp_header::mbtcp_header(zrp_file* owner, int device_code, std::uint32_t ip, std::uint32_t mask,
                           std::uint32_t gateway)
    : protocol_header(owner, "Modbus/TCP", device_code, 1, 8, 0, 0, 0, 65535,
                      default_node(device_code), 0),
      ip_address(ip), network_mask(mask), default_gateway(gateway) {}

void mbtcp_header::write(std::ostream& out) {
    protocol_header::write(out);
    out << keyword << ' ' << format_dotted(ip_address) << ' ' << format_dotted(network_mask) << ' '
        << format_dotted(default_gateway) << '\n';
}

bool mbtcp_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    return read_until_hreg(in, [this](const std::string& first, const std::string& line) {
        if (first != keyword)
            return;
        field_scanner fields(line);
        fields.skip_word(19);
        std::string word;
        if (fields.word(word))
            ip_address = parse_dotted(word);
        if (fields.word(word))
            network_mask = parse_dotted(word);
        if (fields.word(word))
            default_gateway = parse_dotted(word);
    });
}

bool mbtcp_header::decode_image(const image_header& header, byte_reader& records,
                                const image_info_block& info, int device_code) {
    protocol_header::decode_image(header, records, info, device_code);
    if (!info_starts_with(info, keyword))
        return false;
    ip_address = parse_dotted(info_slot(info, 16));
    network_mask = parse_dotted(info_slot(info, 32));
    default_gateway = parse_dotted(info_slot(info, 48));
    return true;
}

void mbtcp_header::encode_image(image_header& header, image_info_block& info) const {
    protocol_header::encode_image(header, info);
    put_info_text(info, 0, keyword);
    put_info_text(info, 16, format_dotted(ip_address));
    put_info_text(info, 32, format_dotted(network_mask));
    put_info_text(info, 48, format_dotted(default_gateway));
}

int mbtcp_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    values.ip_address = ip_address;
    values.network_mask = network_mask;
    values.default_gateway = default_gateway;
    int result = dialogs().run_protocol_settings(settings_dialog_kind::modbus_tcp, values);
    if (result == 1) {
        ip_address = values.ip_address;
        network_mask = values.network_mask;
        default_gateway = values.default_gateway;
        byte_order = values.byte_order;
    }
    return result;
}

int mbtcp_header::apply_form(const protocol_form_values* form) {
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
