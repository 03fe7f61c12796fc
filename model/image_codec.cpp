#include "model/image_codec.h"

#include "model/block_layout.h"
#include "model/image_limits.h"
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
    // A card takes no more records than an extraction accepts: a larger image would not
    // decode again.
    if (map.registers.size() > static_cast<std::size_t>(image_max_records))
        return std::to_string(map.registers.size()) + " registers, more than the " +
               std::to_string(image_max_records) + " records an image holds";
    for (const auto& reg : map.registers) {
        const std::vector<image_misfit_item> misfits = register_image_misfits(*reg, device_code);
        if (!misfits.empty())
            return "register " + std::to_string(reg->register_number) + ": " + misfits.front().text;
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
    else if (records > image_max_records)
        std::snprintf(text, sizeof text,
                      "Bad zrp data!\nNumber of Records (%d) exceeds allowed Maximum "
                      "(%d).\nFile not extracted!",
                      records, image_max_records);
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

bool map_as_card_holds(const zrp_file& map, int device_code, zrp_file& card_view) {
    return decode_raw_image(encode_image(map, device_code), device_code, card_view);
}
