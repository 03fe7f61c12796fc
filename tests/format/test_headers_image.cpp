#include "format/block_codec.h"
#include "format/ip_address.h"
#include "format/register_image.h"
#include "model/host_register.h"
#include "tests/model/test_headers_support.h"

#include <gtest/gtest.h>

using namespace header_test;

namespace {

struct image {
    image_header header{};
    image_info_block info{};
    std::vector<std::uint8_t> records;

    bool decode_into(protocol_header& h, int device_code = 1) {
        byte_reader reader(records);
        return decode_header_image(h, header, reader, info, device_code);
    }
};

// An image header with the given common fields.
image_header common_fields(unsigned baud, unsigned parity, unsigned stop, unsigned mode,
                           unsigned word22, unsigned node, unsigned order, unsigned regmax) {
    image_header h{};
    put32(h.data() + 6, baud);
    put32(h.data() + 10, parity);
    put32(h.data() + 14, stop);
    put32(h.data() + 18, mode);
    put16(h.data() + 22, word22);
    put16(h.data() + 24, node);
    put16(h.data() + 26, order);
    put16(h.data() + 28, regmax);
    return h;
}

// A 444-byte block area with the given counts and blocks (start, length).
std::vector<std::uint8_t> block_area(unsigned inputs, unsigned outputs,
                                     const std::vector<std::pair<unsigned, unsigned>>& in_blocks,
                                     const std::vector<std::pair<unsigned, unsigned>>& out_blocks) {
    std::vector<std::uint8_t> area(444, 0);
    put16(area.data(), inputs);
    put16(area.data() + 2, outputs);
    for (std::size_t k = 0; k < in_blocks.size(); ++k) {
        put16(area.data() + 4 + 4 * k, in_blocks[k].first);
        put16(area.data() + 6 + 4 * k, in_blocks[k].second);
    }
    for (std::size_t k = 0; k < out_blocks.size(); ++k) {
        put16(area.data() + 224 + 4 * k, out_blocks[k].first);
        put16(area.data() + 226 + 4 * k, out_blocks[k].second);
    }
    return area;
}

} // namespace

TEST(HeaderImage, CommonFieldsComeFromTheImageHeader) {
    struct row {
        image_header header;
        int baud, parity, stop_bits, mode, data_bits, node, byte_order, regmax;
    };
    const row rows[] = {
        {common_fields(2, 1, 1, 3, 7, 12, 0, 65535), 2, 1, 1, 3, 7, 12, 1, 65535},
        // The block flag and other high bits do not reach the data bits; any non-zero byte
        // order word is MSBYTE_FIRST.
        {common_fields(0, 2, 0, 1, 0x80F8, 0xFFFF, 0x0100, 0), 0, 2, 0, 1, 8, 0xFFFF, 0, 0},
        // Values outside the tables are kept as read (the writer renders them as defaults).
        {common_fields(9, 7, 5, 8, 8, 1, 1, 100), 9, 7, 5, 8, 8, 1, 0, 100},
    };
    for (const auto& r : rows) {
        image img;
        img.header = r.header;
        auto h = make_header(2, 1);
        ASSERT_TRUE(img.decode_into(*h));
        EXPECT_EQ(h->baud, r.baud);
        EXPECT_EQ(h->parity, r.parity);
        EXPECT_EQ(h->stop_bits, r.stop_bits);
        EXPECT_EQ(h->mode, r.mode);
        EXPECT_EQ(h->data_bits, r.data_bits);
        EXPECT_EQ(h->node, r.node);
        EXPECT_EQ(h->byte_order, r.byte_order);
        EXPECT_EQ(h->regmax, r.regmax);
    }
    auto h = make_header(1, 1);
    image img;
    img.header = rows[2].header;
    ASSERT_TRUE(img.decode_into(*h));
    EXPECT_EQ(text_of(*h), "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
                           "MSBYTE_FIRST\nREGMAX 100\nNODENUM 1\n");
}

TEST(HeaderImage, NetworkHeadersNeedTheirKeyword) {
    struct row {
        int protocol;
        const char* keyword;
    };
    const row rows[] = {{9, "PROFIBUS"},   {10, "MBTCP"}, {11, "MBPLUS"},
                        {12, "DEVICENET"}, {13, "ETHIP"}, {14, "PROFINET_IO"}};
    for (const auto& r : rows) {
        for (const auto& other : rows) {
            image img;
            img.header = common_fields(1, 0, 0, 0, 8, 0, 1, 65535);
            put_text(img.info, 0, other.keyword);
            auto h = make_header(r.protocol, 1);
            EXPECT_EQ(img.decode_into(*h), r.protocol == other.protocol)
                << r.keyword << " given " << other.keyword;
        }
        // The keyword is compared on its characters only; what follows does not matter.
        image img;
        put_text(img.info, 0, std::string(r.keyword) + "X");
        auto h = make_header(r.protocol, 1);
        EXPECT_TRUE(img.decode_into(*h)) << r.keyword;
        // A keyword cut short fails.
        image cut;
        put_text(cut.info, 0, std::string(r.keyword).substr(0, 4));
        EXPECT_FALSE(cut.decode_into(*h)) << r.keyword;
    }
}

TEST(HeaderImage, SettingsFromTheInformationBlockSlots) {
    struct row {
        int protocol;
        std::vector<std::pair<std::size_t, std::string>> slots;
        std::string keyword_line;
    };
    const row rows[] = {
        {11, {{16, "3"}, {32, "0x0A"}, {48, "040"}}, "MBPLUS 3 10 32"},
        {9, {{16, "244"}, {32, "12junk"}, {48, "99"}}, "PROFIBUS 244 12 99"},
        // A slot that does not parse keeps the default.
        {9, {{16, "x"}, {32, ""}, {48, "-1"}}, "PROFIBUS 0 0 -1"},
        {10,
         {{16, "192.168.0.10"}, {32, "255.255.255.0"}, {48, "192.168.0.1"}},
         "MBTCP 192.168.0.10 255.255.255.0 192.168.0.1"},
        {14,
         {{16, "10.0.0.2"}, {32, "255.0.0.0"}, {48, "10.0.0.1"}, {64, "1536"}, {80, "0x10"}},
         "PROFINET_IO 10.0.0.2 255.0.0.0 10.0.0.1 1536 16"},
        // A slot filled to its last byte ends at the slot: the next slot is not run into.
        {11, {{16, "1111111111111111"}, {32, "2"}, {48, "3"}}, "MBPLUS 2147483647 2 3"},
    };
    const char* keywords[15] = {};
    keywords[9] = "PROFIBUS";
    keywords[10] = "MBTCP";
    keywords[11] = "MBPLUS";
    keywords[14] = "PROFINET_IO";
    for (const auto& r : rows) {
        image img;
        img.header = common_fields(1, 0, 0, 0, 8, 5, 1, 65535);
        put_text(img.info, 0, keywords[r.protocol]);
        for (const auto& [offset, text] : r.slots)
            put_text(img.info, offset, text);
        auto h = make_header(r.protocol, 0);
        ASSERT_TRUE(img.decode_into(*h)) << r.keyword_line;
        std::string text = text_of(*h);
        text.pop_back();
        EXPECT_EQ(text.substr(text.rfind('\n') + 1), r.keyword_line);
    }
}

TEST(HeaderImage, BlockMappedWithoutBlockFlagGetsTheDefaultLayout) {
    for (int protocol : {12, 13}) {
        image img;
        img.header = common_fields(1, 0, 0, 0, 8, 0, 0, 65535);
        put_text(img.info, 0, protocol == 12 ? "DEVICENET" : "ETHIP");
        put_text(img.info, protocol == 12 ? 16 : 64, "24");
        put_text(img.info, protocol == 12 ? 32 : 80, "40");
        auto h = make_header(protocol, 1);
        ASSERT_TRUE(img.decode_into(*h));
        ASSERT_EQ(h->blocks.block_count, 22);
        const block_table_t* table = &h->blocks.table;
        for (int i = 0; i < 22; ++i) {
            block_entry expected{block_layout::role_area(i), block_layout::role_direction(i), 0,
                                 i == 0    ? 24
                                 : i == 11 ? 40
                                           : 0};
            EXPECT_EQ((*table)[i], expected) << i;
        }
    }
}

TEST(HeaderImage, BlockAreaAfterTheRecords) {
    // Two input blocks and one output block named: the output count admits block 1 as well.
    auto area = block_area(2, 1, {{0, 16}, {16, 8}, {99, 99}, {0, 0}, {0, 0}, {300, 10}},
                           {{0, 32}, {32, 4}, {77, 77}});
    struct row {
        int protocol;
        int record_count;
        bool area_complete;
    };
    const row rows[] = {{12, 0, true}, {13, 2, true}, {12, 1, false}, {13, 0, false}};
    for (const auto& r : rows) {
        image img;
        img.header = common_fields(1, 0, 0, 0, 0x8008, 0, 0, 65535);
        put16(img.header.data() + 30, static_cast<unsigned>(r.record_count));
        put_text(img.info, 0, r.protocol == 12 ? "DEVICENET" : "ETHIP");
        put_text(img.info, r.protocol == 12 ? 16 : 64, "50");
        put_text(img.info, r.protocol == 12 ? 32 : 80, "60");
        byte_writer records;
        for (int i = 0; i < r.record_count; ++i) {
            host_register reg(nullptr, 10 * i);
            reg.name = "Massflow";
            encode_register_image(reg, records, 1);
        }
        img.records = records.data();
        img.records.insert(img.records.end(), area.begin(),
                           r.area_complete ? area.end() : area.end() - 1);
        auto h = make_header(r.protocol, 1);
        ASSERT_TRUE(img.decode_into(*h));
        auto& layout = h->blocks;
        // The I/O sizes always come from the information block.
        EXPECT_EQ(layout.io_input_size, 50);
        EXPECT_EQ(layout.io_output_size, 60);
        if (!r.area_complete) {
            EXPECT_EQ(layout.block_count, 0);
            continue;
        }
        ASSERT_EQ(layout.block_count, 22);
        EXPECT_EQ(layout.table[0], (block_entry{0, 0, 0, 16}));
        EXPECT_EQ(layout.table[1], (block_entry{0, 0, 16, 8}));
        EXPECT_EQ(layout.table[2], (block_entry{0, 0, 0, 0}));
        EXPECT_EQ(layout.table[5], (block_entry{1, 0, 0, 0}));
        EXPECT_EQ(layout.table[11], (block_entry{0, 1, 0, 32}));
        EXPECT_EQ(layout.table[12], (block_entry{0, 1, 32, 4}));
        EXPECT_EQ(layout.table[13], (block_entry{0, 1, 0, 0}));
        EXPECT_EQ(layout.param_input_usage, 0);
    }
}

TEST(HeaderImage, EncodeThenDecodeGivesTheSameHeader) {
    const std::string blocks_text = [] {
        std::string t = "INPUT_BLOCK 0/16\nINPUT_BLOCK 16/8\n";
        for (int i = 2; i < 10; ++i)
            t += "INPUT_BLOCK 0/0\n";
        t += "INPUT_BLOCK 400/12\nOUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 8/4\n";
        for (int i = 13; i < 22; ++i)
            t += "OUTPUT_BLOCK 0/0\n";
        return t;
    }();
    struct row {
        int protocol, device;
        std::string lines; // read after the common lines
    };
    const row rows[] = {
        {0, 0, "PLC_CHAN 9600 RTU 7 EVEN_PARITY 2STOPBITS LSBYTE_FIRST\nREGMAX 12\nNODENUM 3\n"},
        {2, 1, "PLC_CHAN 38400 CRC 8 ODD_PARITY 1STOPBIT MSBYTE_FIRST\nNODENUM 9\n"},
        {3, 3, "PLC_CHAN 57600 ASCII 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nNODENUM 1\n"},
        {11, 1, "NODENUM 5\nMBPLUS 3 10 32\n"},
        {10, 1, "NODENUM 0\nMBTCP 192.168.0.10 255.255.255.0 192.168.0.1\n"},
        {9, 1, "NODENUM 0\nPROFIBUS 100 244 99\n"},
        {14, 1, "NODENUM 0\nPROFINET_IO 10.0.0.2 255.0.0.0 10.0.0.1 1536 12\n"},
        {12, 1, "NODENUM 0\n"},
        {12, 1, "NODENUM 0\n" + blocks_text},
        {13, 1, "NODENUM 0\nETHIP 172.16.1.2 255.255.0.0 172.16.0.1 0 0\n" + blocks_text},
    };
    for (const auto& r : rows) {
        auto source = make_header(r.protocol, r.device);
        std::istringstream in(r.lines + "HREG\n");
        ASSERT_TRUE(read_header(in, *source)) << r.lines;
        image img;
        encode_header_image(*source, img.header, img.info);
        EXPECT_EQ(be32(img.header.data() + 2), static_cast<std::uint32_t>(r.protocol));
        if (source->blocks.block_count != 0) {
            EXPECT_TRUE(img.header[22] & 0x80);
            byte_writer area;
            encode_block_area(source->blocks, area);
            EXPECT_EQ(area.data().size(), 444u);
            img.records = area.data();
        } else {
            EXPECT_FALSE(img.header[22] & 0x80);
        }
        auto decoded = make_header(r.protocol, r.device);
        ASSERT_TRUE(img.decode_into(*decoded, r.device)) << r.lines;
        EXPECT_EQ(text_of(*decoded), text_of(*source));
    }
}
