#include "model/mbplus_header.h"

#include "core/text_lines.h"

namespace {
constexpr const char* keyword = "MBPLUS";
}

mbplus_header::mbplus_header(zrp_file* owner, int device_code, int source, int words, int offset)
    : protocol_header(owner, "Modbus+", device_code, 1, 8, 0, 0, 0, 65535,
                      default_node(device_code), 0),
      source_id(source), number_of_words(words), offset_in_gdb(offset) {}

void mbplus_header::write(std::ostream& out) {
    protocol_header::write(out);
    out << keyword << ' ' << source_id << ' ' << offset_in_gdb << ' ' << number_of_words << '\n';
}

bool mbplus_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    return read_until_hreg(in, [this](const std::string& first, const std::string& line) {
        if (first != keyword)
            return;
        field_scanner fields(line);
        fields.skip_word(19);
        fields.integer(source_id);
        fields.integer(offset_in_gdb);
        fields.integer(number_of_words);
    });
}

bool mbplus_header::decode_image(const image_header& header, byte_reader& records,
                                 const image_info_block& info, int device_code) {
    protocol_header::decode_image(header, records, info, device_code);
    if (!info_starts_with(info, keyword))
        return false;
    source_id = info_slot_integer(info, 16, source_id);
    offset_in_gdb = info_slot_integer(info, 32, offset_in_gdb);
    number_of_words = info_slot_integer(info, 48, number_of_words);
    return true;
}

void mbplus_header::encode_image(image_header& header, image_info_block& info) const {
    protocol_header::encode_image(header, info);
    put_info_text(info, 0, keyword);
    put_info_text(info, 16, std::to_string(source_id));
    put_info_text(info, 32, std::to_string(offset_in_gdb));
    put_info_text(info, 48, std::to_string(number_of_words));
}

int mbplus_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    values.source_id = source_id;
    values.number_of_words = number_of_words;
    values.offset_in_gdb = offset_in_gdb;
    int result = dialogs().run_protocol_settings(settings_dialog_kind::modbus_plus, values);
    if (result == 1) {
        byte_order = values.byte_order;
        node = values.node;
        source_id = values.source_id;
        number_of_words = values.number_of_words;
        offset_in_gdb = values.offset_in_gdb;
    }
    return result;
}

int mbplus_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    if (form->byte_order == byte_order && form->node == node && form->source_id == source_id &&
        form->number_of_words == number_of_words && form->offset_in_gdb == offset_in_gdb)
        return 0;
    byte_order = form->byte_order;
    node = form->node;
    source_id = form->source_id;
    number_of_words = form->number_of_words;
    offset_in_gdb = form->offset_in_gdb;
    return 1;
}
