#include "model/protocol_header.h"

#include "core/text_lines.h"
#include "model/model_tables.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace {

constexpr std::size_t max_line = 255;
constexpr std::size_t max_keyword = 19;

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Maps a word read from the "PLC_CHAN" line through its table; a missing word keeps value.
void take_word(field_scanner& fields, const word_table& table, int& value) {
    std::string word;
    if (fields.word(word, max_keyword))
        value = table.code(word);
}

} // namespace

protocol_header::protocol_header(zrp_file* owner_file, std::string header_name, int device,
                                 int baud_index, int bits, int parity_index, int stop_index,
                                 int mode_index, int register_max, int node_number, int order)
    : owner(owner_file), name(std::move(header_name)), device_code(device), baud(baud_index),
      data_bits(bits), parity(parity_index), stop_bits(stop_index), mode(mode_index),
      byte_order(order), node(node_number), regmax(register_max) {}

void protocol_header::write(std::ostream& out) {
    out << device_words().word_or_default(device_code) << ' ' << name << " protocol\n";
    out << "PLC_CHAN " << baud_words().word_or_default(baud) << ' '
        << mode_words().word_or_default(mode) << ' ' << data_bits << ' '
        << parity_words().word_or_default(parity) << ' '
        << stop_bits_words().word_or_default(stop_bits) << ' '
        << byte_order_words().word_or_default(byte_order) << '\n';
    out << "REGMAX " << regmax << '\n';
    out << "NODENUM " << node << '\n';
}

bool protocol_header::read(std::istream& in) {
    std::string line;
    while (read_line(in, line, max_line) != line_status::end) {
        field_scanner fields(line);
        std::string keyword;
        if (!fields.word(keyword, max_keyword))
            continue;
        if (keyword == "PLC_CHAN") {
            take_word(fields, baud_words(), baud);
            take_word(fields, mode_words(), mode);
            fields.decimal(data_bits);
            take_word(fields, parity_words(), parity);
            take_word(fields, stop_bits_words(), stop_bits);
            take_word(fields, byte_order_words(), byte_order);
        } else if (keyword == "REGMAX") {
            fields.decimal(regmax);
        } else if (keyword == "NODENUM") {
            fields.decimal(node);
            return true;
        }
    }
    return false;
}

bool protocol_header::decode_image(const image_header& header, byte_reader& /*records*/,
                                   const image_info_block& /*info*/, int /*device_code*/) {
    baud = static_cast<int>(be32(header.data() + 6));
    parity = static_cast<int>(be32(header.data() + 10));
    stop_bits = static_cast<int>(be32(header.data() + 14));
    mode = static_cast<int>(be32(header.data() + 18));
    data_bits = be16(header.data() + 22) & 0x0F;
    node = be16(header.data() + 24);
    byte_order = be16(header.data() + 26) == 0 ? 1 : 0;
    regmax = be16(header.data() + 28);
    return true;
}

void protocol_header::encode_image(image_header& header, image_info_block& info) const {
    put32(header.data() + 2, static_cast<std::uint32_t>(protocol_code()));
    put32(header.data() + 6, static_cast<std::uint32_t>(baud));
    put32(header.data() + 10, static_cast<std::uint32_t>(parity));
    put32(header.data() + 14, static_cast<std::uint32_t>(stop_bits));
    put32(header.data() + 18, static_cast<std::uint32_t>(mode));
    put16(header.data() + 22, static_cast<std::uint32_t>(data_bits) & 0x0F);
    put16(header.data() + 24, static_cast<std::uint32_t>(node));
    put16(header.data() + 26, byte_order == 1 ? 0 : 1);
    put16(header.data() + 28, static_cast<std::uint32_t>(regmax));
    info.fill(0);
}

int protocol_header::edit(int /*mode_flags*/) {
    protocol_dialog_values values = dialog_values();
    int result = dialogs().run_protocol_settings(settings_dialog_kind::generic, values);
    if (result == 1)
        take_serial_values(values);
    return result;
}

int protocol_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    return take_serial_form(*form, mode);
}

int protocol_header::next_block_register(int /*block_index*/) {
    return -1;
}

int protocol_header::block_table(const block_table_t** table) const {
    if (table != nullptr)
        *table = nullptr;
    return 0;
}

protocol_dialog_values protocol_header::dialog_values() const {
    protocol_dialog_values values;
    values.device_code = device_code;
    values.baud = baud;
    values.data_bits = data_bits;
    values.parity = parity;
    values.stop_bits = stop_bits;
    values.mode = mode;
    values.byte_order = byte_order;
    values.node = node;
    return values;
}

void protocol_header::take_serial_values(const protocol_dialog_values& values) {
    baud = values.baud;
    data_bits = values.data_bits;
    parity = values.parity;
    stop_bits = values.stop_bits;
    byte_order = values.byte_order;
    node = values.node;
}

int protocol_header::take_serial_form(const protocol_form_values& form, int mapped_mode) {
    if (form.baud == baud && form.data_bits == data_bits && form.parity == parity &&
        form.stop_bits == stop_bits && form.byte_order == byte_order && form.node == node &&
        mapped_mode == mode)
        return 0;
    baud = form.baud;
    data_bits = form.data_bits;
    parity = form.parity;
    stop_bits = form.stop_bits;
    byte_order = form.byte_order;
    node = form.node;
    mode = mapped_mode;
    return 1;
}

bool protocol_header::read_until_hreg(
    std::istream& in,
    const std::function<void(const std::string& first_word, const std::string& line)>& on_line) {
    std::string line;
    while (read_line(in, line, max_line) != line_status::end) {
        field_scanner fields(line);
        std::string keyword;
        if (!fields.word(keyword, max_keyword))
            continue;
        if (keyword == "HREG")
            return true;
        if (on_line)
            on_line(keyword, line);
    }
    return false;
}

bool protocol_header::info_starts_with(const image_info_block& info, std::string_view keyword) {
    return keyword.size() <= info.size() &&
           std::equal(keyword.begin(), keyword.end(), info.begin(),
                      [](char k, std::uint8_t b) { return static_cast<std::uint8_t>(k) == b; });
}

std::string protocol_header::info_slot(const image_info_block& info, std::size_t offset) {
    if (offset >= info.size())
        return {};
    std::size_t width = std::min<std::size_t>(16, info.size() - offset);
    return slot_text(std::span<const std::uint8_t>(info.data() + offset, width));
}

int protocol_header::info_slot_integer(const image_info_block& info, std::size_t offset,
                                       int fallback) {
    std::string text = info_slot(info, offset);
    field_scanner fields(text);
    int value = fallback;
    fields.integer(value);
    return value;
}

void protocol_header::put_info_text(image_info_block& info, std::size_t offset,
                                    std::string_view text, std::size_t width) {
    if (offset >= info.size())
        return;
    width = std::min(width, info.size() - offset);
    if (width == 0)
        return;
    std::uint8_t* slot = info.data() + offset;
    std::memset(slot, 0, width);
    // At least one terminating zero byte stays in the slot.
    std::size_t n = std::min(text.size(), width - 1);
    std::memcpy(slot, text.data(), n);
}
