#include "model/profibus_header.h"

#include "core/text_lines.h"

namespace {
constexpr const char* keyword = "PROFIBUS";
}

profibus_header::profibus_header(zrp_file* owner, int device_code, int input, int output)
    : protocol_header(owner, "Profibus", device_code, 1, 8, 0, 0, 0, 65535,
                      default_node(device_code), 0),
      input_size(input), output_size(output) {}

void profibus_header::write(std::ostream& out) {
    protocol_header::write(out);
    out << keyword << ' ' << input_size << ' ' << output_size << ' ' << node << '\n';
}

bool profibus_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    return read_until_hreg(in, [this](const std::string& first, const std::string& line) {
        if (first != keyword)
            return;
        field_scanner fields(line);
        fields.skip_word(19);
        fields.integer(input_size);
        fields.integer(output_size);
        fields.integer(node);
    });
}

bool profibus_header::decode_image(const image_header& header, byte_reader& records,
                                   const image_info_block& info, int device_code) {
    protocol_header::decode_image(header, records, info, device_code);
    if (!info_starts_with(info, keyword))
        return false;
    input_size = info_slot_integer(info, 16, input_size);
    output_size = info_slot_integer(info, 32, output_size);
    node = info_slot_integer(info, 48, node);
    return true;
}

void profibus_header::encode_image(image_header& header, image_info_block& info) const {
    protocol_header::encode_image(header, info);
    put_info_text(info, 0, keyword);
    put_info_text(info, 16, std::to_string(input_size));
    put_info_text(info, 32, std::to_string(output_size));
    put_info_text(info, 48, std::to_string(node));
}

int profibus_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    values.input_size = input_size;
    values.output_size = output_size;
    int result = dialogs().run_protocol_settings(settings_dialog_kind::profibus, values);
    if (result == 1) {
        input_size = values.input_size;
        output_size = values.output_size;
        node = values.node;
        byte_order = values.byte_order;
    }
    return result;
}

int profibus_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    if (form->byte_order == byte_order && form->node == node && form->input_size == input_size &&
        form->output_size == output_size)
        return 0;
    byte_order = form->byte_order;
    node = form->node;
    input_size = form->input_size;
    output_size = form->output_size;
    return 1;
}
