#include "model/image_codec.h"

#include "model/block_layout.h"
#include "model/model_tables.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t header_size = 32;
constexpr std::size_t info_size = 128;
constexpr std::uint8_t block_flag = 0x80; // top bit of the big-endian word at offset 22
constexpr std::size_t length_offset = 0;
constexpr std::size_t block_flag_offset = 22;
constexpr std::size_t record_count_offset = 30;

void put16(std::uint8_t* p, std::size_t value) {
    p[0] = static_cast<std::uint8_t>(value >> 8);
    p[1] = static_cast<std::uint8_t>(value);
}

bool starts_with_keyword(const image_info_block& info, const char* keyword) {
    return std::memcmp(info.data(), keyword, std::strlen(keyword) + 1) == 0;
}

std::string register_misfit(const host_register& reg, int device_code) {
    auto outside = [](long long v, long long low, long long high) { return v < low || v > high; };
    const int max_whole = device_code == device_rdx ? 1023 : 15;
    std::string why;
    if (outside(reg.register_number, 0, 65535))
        why = "register number outside 0 to 65535";
    else if (reg.name.size() > 19)
        why = "parameter name longer than 19 characters";
    else if (outside(reg.fraction_count, 0, 1))
        why = "fraction count outside 0 to 1";
    else if (outside(reg.whole_count, 0, max_whole))
        why = "whole count outside 0 to " + std::to_string(max_whole);
    else if (outside(reg.format, 0, 15) || outside(reg.word_order, 0, 15))
        why = "format or word order outside 0 to 15";
    else if (outside(reg.negative, 0, 3))
        why = "negative handling outside 0 to 3";
    else if (outside(reg.feeder, 0, 63))
        why = "feeder outside 0 to 63";
    else if (reg.format == fmt_commands) {
        for (const command_bit& c : reg.commands) {
            const bool mnemonic_fits =
                c.mnemonic == "XXXX" ||
                (c.mnemonic.size() == 4 && c.mnemonic[0] == 'C' && c.mnemonic != "CXXX" &&
                 c.mnemonic.find('\0') == std::string::npos);
            if (!mnemonic_fits)
                why = "command mnemonic \"" + c.mnemonic +
                      "\" is not \"XXXX\" or C and three characters";
            else if (outside(c.feeder, 0, 255) || outside(c.value, 0, 15))
                why = "command feeder or value outside the image's range";
            if (!why.empty())
                break;
        }
    } else if (reg.format == fmt_status) {
        for (const status_bit& s : reg.status)
            if (outside(s.feeder, 0, 255) || outside(s.bit_position, 0, 255) ||
                outside(s.code, 0, 15)) {
                why = "status feeder, bit position or code outside the image's range";
                break;
            }
    }
    return why;
}

} // namespace

std::vector<std::uint8_t> encode_image(const zrp_file& map, int device_code) {
    image_header header{};
    image_info_block info{};
    if (map.header)
        map.header->encode_image(header, info);

    byte_writer records;
    for (const auto& reg : map.registers)
        reg->encode_image(records, device_code);

    // Block-mapped maps carry their block definitions after the records.
    if (map.header && map.header->is_block_mapped()) {
        block_layout layout;
        const block_table_t* table = nullptr;
        layout.block_count = map.header->block_table(&table);
        if (table != nullptr)
            layout.table = *table;
        if (layout.block_count != 0)
            header[block_flag_offset] |= block_flag;
        if ((header[block_flag_offset] & block_flag) != 0)
            layout.encode_block_area(records);
    }

    const std::size_t total = header_size + records.data().size();
    put16(header.data() + length_offset, total - 1);
    put16(header.data() + record_count_offset, map.registers.size());

    const std::vector<std::uint8_t>& area = records.data();
    std::vector<std::uint8_t> image(header_size + info_size + area.size());
    auto at = std::copy(header.begin(), header.end(), image.begin());
    at = std::copy(info.begin(), info.end(), at);
    std::copy(area.begin(), area.end(), at);
    return image;
}

std::string image_misfit(const zrp_file& map, int device_code) {
    if (map.registers.size() > 65535)
        return "more than 65535 registers";
    for (const auto& reg : map.registers) {
        std::string why = register_misfit(*reg, device_code);
        if (!why.empty())
            return "register " + std::to_string(reg->register_number) + ": " + why;
    }
    const std::vector<std::uint8_t> image = encode_image(map, device_code);
    if (image.size() - info_size > 65536)
        return "image longer than 65536 bytes";
    return {};
}

int image_block_allowance(const image_info_block& info) {
    return starts_with_keyword(info, "ETHIP") || starts_with_keyword(info, "DEVICENET") ? 444 : 0;
}

std::string image_size_problem(int size, int records, int allowance) {
    constexpr int max_record = 98;
    constexpr int min_record = 26;
    constexpr int max_records = 655;
    char text[256];
    if (static_cast<long long>(records) * max_record < static_cast<long long>(size) - allowance)
        std::snprintf(text, sizeof text,
                      "Bad zrp data!\nFile size (%d bytes) is greater than size for max. Number "
                      "of Records (%d * %d bytes).\nFile not extracted!",
                      size, records, max_record);
    else if (size < static_cast<long long>(records) * min_record)
        std::snprintf(text, sizeof text,
                      "Bad zrp data!\nFile size (%d bytes) is less than size for min. Number of "
                      "Records (%d * %d bytes).\nFile not extracted!",
                      size, records, min_record);
    else if (records > max_records)
        std::snprintf(text, sizeof text,
                      "Bad zrp data!\nNumber of Records (%d) exceeds allowed Maximum "
                      "(%d).\nFile not extracted!",
                      records, max_records);
    else
        return {};
    return text;
}

bool decode_raw_image(std::span<const std::uint8_t> image, int device_code, zrp_file& map) {
    if (image.size() < header_size + info_size)
        return false;
    image_header header{};
    std::copy_n(image.begin(), header_size, header.begin());
    image_info_block info{};
    // A "WNT" extraction does not ask for the information block: it stays all zero.
    if (device_code != device_wnt)
        std::copy_n(image.begin() + header_size, info_size, info.begin());

    const long long total = static_cast<long long>(be16(header.data())) + 1;
    const std::size_t wanted = total > static_cast<long long>(header_size)
                                   ? static_cast<std::size_t>(total) - header_size
                                   : 0;
    std::span<const std::uint8_t> area = image.subspan(header_size + info_size);
    byte_reader records(area.first(std::min(wanted, area.size())));
    return map.decode_image(header, records, info, device_code);
}
