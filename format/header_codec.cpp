#include "format/header_codec.h"

#include "core/text_lines.h"
#include "format/block_codec.h"
#include "format/ip_address.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace {

constexpr std::size_t max_line = 255;
constexpr std::size_t max_keyword = 19;
constexpr std::size_t slot_width = 16;

// The information block slot of keyword-line value i.
std::size_t slot_of(std::size_t item) {
    return slot_width * (item + 1);
}

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

// Hands each line that starts with a word to take(keyword, fields, line), fields placed after
// the keyword, until take returns true; false when the stream ends first.
template <typename Take> bool until_keyword(std::istream& in, Take take) {
    std::string line;
    while (read_line(in, line, max_line) != line_status::end) {
        field_scanner fields(line);
        std::string keyword;
        if (fields.word(keyword, max_keyword) && take(keyword, fields, line))
            return true;
    }
    return false;
}

// The common lines up to and including "NODENUM"; false when the stream ends first.
bool read_common(std::istream& in, protocol_header& h) {
    return until_keyword(
        in, [&](const std::string& keyword, field_scanner& fields, const std::string&) {
            if (keyword == "PLC_CHAN") {
                take_word(fields, baud_words(), h.baud);
                take_word(fields, mode_words(), h.mode);
                fields.decimal(h.data_bits);
                take_word(fields, parity_words(), h.parity);
                take_word(fields, stop_bits_words(), h.stop_bits);
                take_word(fields, byte_order_words(), h.byte_order);
            } else if (keyword == "REGMAX") {
                fields.decimal(h.regmax);
            } else if (keyword == "NODENUM") {
                fields.decimal(h.node);
                return true;
            }
            return false;
        });
}

// The values of the protocol's keyword line, in their order; what parses is kept.
void read_keyword_line(const std::string& line, protocol_header& h) {
    field_scanner fields(line);
    fields.skip_word(max_keyword);
    for (const line_item& item : h.description().line) {
        if (std::uint32_t* address = h.address(item.field)) {
            std::string word;
            if (fields.word(word, item.word_limit))
                *address = parse_dotted(word);
        } else {
            fields.integer(*h.integer(item.field));
        }
    }
}

bool info_starts_with(const image_info_block& info, std::string_view keyword) {
    return keyword.size() <= info.size() &&
           std::equal(keyword.begin(), keyword.end(), info.begin(),
                      [](char k, std::uint8_t b) { return static_cast<std::uint8_t>(k) == b; });
}

std::string info_slot(const image_info_block& info, std::size_t offset) {
    if (offset >= info.size())
        return {};
    std::size_t width = std::min(slot_width, info.size() - offset);
    return slot_text(std::span<const std::uint8_t>(info.data() + offset, width));
}

// Writes text into a slot, which keeps at least one terminating zero byte.
void put_info_text(image_info_block& info, std::size_t offset, std::string_view text) {
    if (offset >= info.size())
        return;
    const std::size_t width = std::min(slot_width, info.size() - offset);
    std::uint8_t* slot = info.data() + offset;
    std::memset(slot, 0, width);
    std::memcpy(slot, text.data(), std::min(text.size(), width - 1));
}

} // namespace

void write_header(std::ostream& out, protocol_header& h) {
    const protocol_description& d = h.description();
    if (d.zeroes_node_and_regmax)
        h.node = h.regmax = 0;
    out << device_words().word_or_default(h.device_code) << ' ' << d.name << " protocol\n";
    out << "PLC_CHAN " << baud_words().word_or_default(h.baud) << ' '
        << mode_words().word_or_default(h.mode) << ' ' << h.data_bits << ' '
        << parity_words().word_or_default(h.parity) << ' '
        << stop_bits_words().word_or_default(h.stop_bits) << ' '
        << byte_order_words().word_or_default(h.byte_order) << '\n';
    out << "REGMAX " << h.regmax << '\n';
    out << "NODENUM " << h.node << '\n';
    if (!d.keyword.empty()) {
        out << d.keyword;
        for (const line_item& item : d.line) {
            if (const std::uint32_t* address = h.address(item.field))
                out << ' ' << format_dotted(*address);
            else
                out << ' ' << *h.integer(item.field);
        }
        out << '\n';
    }
    if (d.block_mapped)
        write_block_lines(out, h.blocks);
}

bool read_header(std::istream& in, protocol_header& h) {
    const protocol_description& d = h.description();
    if (!read_common(in, h))
        return false;
    if (!d.reads_to_hreg)
        return true;
    if (d.block_mapped)
        begin_block_lines(h.blocks);
    int inputs_read = 0;
    int outputs_read = 0;
    return until_keyword(
        in, [&](const std::string& keyword, field_scanner&, const std::string& line) {
            if (keyword == "HREG") {
                if (d.block_mapped)
                    end_block_lines(h.blocks);
                return true;
            }
            // A later keyword line overrides an earlier one; other lines are ignored.
            if (!d.keyword.empty() && keyword == d.keyword)
                read_keyword_line(line, h);
            else if (d.block_mapped)
                read_block_line(h.blocks, keyword, line, inputs_read, outputs_read);
            return false;
        });
}

bool decode_header_image(protocol_header& h, const image_header& image, byte_reader& records,
                         const image_info_block& info, int device_code) {
    h.baud = static_cast<int>(be32(image.data() + 6));
    h.parity = static_cast<int>(be32(image.data() + 10));
    h.stop_bits = static_cast<int>(be32(image.data() + 14));
    h.mode = static_cast<int>(be32(image.data() + 18));
    h.data_bits = be16(image.data() + 22) & 0x0F;
    h.node = be16(image.data() + 24);
    h.byte_order = be16(image.data() + 26) == 0 ? 1 : 0;
    h.regmax = be16(image.data() + 28);
    const protocol_description& d = h.description();
    if (d.keyword.empty())
        return true;
    if (!info_starts_with(info, d.keyword))
        return false;
    for (std::size_t i = 0; i < d.line.size(); ++i) {
        const header_field field = d.line[i].field;
        if (std::uint32_t* address = h.address(field)) {
            *address = parse_dotted(info_slot(info, slot_of(i)));
        } else {
            // Numbers are read with C prefix rules; a slot that holds none keeps the value.
            const std::string text = info_slot(info, slot_of(i));
            field_scanner(text).integer(*h.integer(field));
        }
    }
    if (d.block_mapped)
        decode_image_blocks(h.blocks, image, records, device_code);
    return true;
}

void encode_header_image(const protocol_header& h, image_header& image, image_info_block& info) {
    put32(image.data() + 2, static_cast<std::uint32_t>(h.protocol_code()));
    put32(image.data() + 6, static_cast<std::uint32_t>(h.baud));
    put32(image.data() + 10, static_cast<std::uint32_t>(h.parity));
    put32(image.data() + 14, static_cast<std::uint32_t>(h.stop_bits));
    put32(image.data() + 18, static_cast<std::uint32_t>(h.mode));
    put16(image.data() + 22, static_cast<std::uint32_t>(h.data_bits) & 0x0F);
    put16(image.data() + 24, static_cast<std::uint32_t>(h.node));
    put16(image.data() + 26, h.byte_order == 1 ? 0 : 1);
    put16(image.data() + 28, static_cast<std::uint32_t>(h.regmax));
    info.fill(0);
    const protocol_description& d = h.description();
    if (d.block_mapped)
        encode_block_flag(h.blocks, image);
    if (d.keyword.empty())
        return;
    put_info_text(info, 0, d.keyword);
    for (std::size_t i = 0; i < d.line.size(); ++i) {
        const header_field field = d.line[i].field;
        const std::uint32_t* address = h.address(field);
        put_info_text(info, slot_of(i),
                      address ? format_dotted(*address) : std::to_string(*h.integer(field)));
    }
}
