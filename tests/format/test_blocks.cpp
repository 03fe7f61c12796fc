#include "format/block_codec.h"
#include "model/zrp_file.h"
#include "tests/model/test_headers_support.h"

#include <gtest/gtest.h>

using namespace header_test;

namespace {

struct block_line {
    bool output;
    int start, length;
};

std::string block_lines(const std::vector<block_line>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += std::string(l.output ? "OUTPUT_BLOCK " : "INPUT_BLOCK ") + std::to_string(l.start) +
                "/" + std::to_string(l.length) + "\n";
    return text;
}

// n empty lines of one direction, to reach the Param entries.
std::vector<block_line> empties(bool output, int n) {
    return std::vector<block_line>(static_cast<std::size_t>(n), block_line{output, 0, 0});
}

std::vector<block_line> operator+(std::vector<block_line> a, const std::vector<block_line>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(BlockHeaders, ReadingBlockLines) {
    struct row {
        const char* what;
        std::string keyword_line;
        std::vector<block_line> lines;
        std::vector<std::pair<int, block_entry>> entries; // entries to check
        int io_in, io_out, param_in, param_out;
    };
    const row rows[] = {
        {"sizes come from the blocks, not the keyword line",
         "99 99",
         {{false, 0, 16}, {false, 16, 8}},
         {{0, {0, 0, 0, 16}}, {1, {0, 0, 16, 8}}, {2, {0, 0, 0, 0}}, {11, {0, 1, 0, 0}}},
         24,
         0,
         0,
         0},
        {"inputs and outputs are counted separately, in any order",
         "0 0",
         {{true, 0, 32}, {false, 4, 4}, {true, 32, 2}},
         {{0, {0, 0, 4, 4}}, {11, {0, 1, 0, 32}}, {12, {0, 1, 32, 2}}},
         8,
         34,
         0,
         0},
        {"the highest start wins, later blocks win ties, empty blocks do not count",
         "0 0",
         {{false, 100, 0}, {false, 10, 20}, {false, 10, 5}, {false, 0, 64}},
         {{0, {0, 0, 100, 0}}},
         15,
         0,
         0,
         0},
        {"a twelfth line of a kind is ignored",
         "0 0",
         empties(false, 11) + std::vector<block_line>{{false, 5, 5}, {true, 1, 1}},
         {{10, {1, 0, 0, 0}}, {11, {0, 1, 1, 1}}},
         0,
         2,
         0,
         0},
        {"Param usage spans from the lowest start to the highest block's end",
         "0 0",
         empties(false, 5) + std::vector<block_line>{{false, 320, 20}, {false, 300, 10}},
         {{5, {1, 0, 320, 20}}, {6, {1, 0, 300, 10}}},
         0,
         0,
         40,
         0},
        {"Param blocks that all start above 1024 use nothing",
         "0 0",
         empties(true, 5) + std::vector<block_line>{{true, 1025, 10}, {true, 2000, 1}},
         {{16, {1, 1, 1025, 10}}},
         0,
         0,
         0,
         0},
        {"Param output usage",
         "0 0",
         empties(true, 5) + std::vector<block_line>{{true, 1024, 10}, {true, 2000, 1}},
         {},
         0,
         0,
         0,
         977},
    };
    for (int protocol : {12, 13}) {
        for (const auto& r : rows) {
            auto h = make_header(protocol, 1);
            std::string keyword = protocol == 12 ? "DEVICENET " : "ETHIP 1.2.3.4 0.0.0.0 0.0.0.0 ";
            std::istringstream in("NODENUM 0\n" + keyword + r.keyword_line + "\n" +
                                  block_lines(r.lines) + "HREG\n");
            ASSERT_TRUE(read_header(in, *h)) << r.what;
            const block_layout& layout = h->blocks;
            EXPECT_EQ(layout.block_count, 22) << r.what;
            for (const auto& [index, entry] : r.entries)
                EXPECT_EQ(layout.table[index], entry) << r.what << ", entry " << index;
            EXPECT_EQ(layout.io_input_size, r.io_in) << r.what;
            EXPECT_EQ(layout.io_output_size, r.io_out) << r.what;
            EXPECT_EQ(layout.param_input_usage, r.param_in) << r.what;
            EXPECT_EQ(layout.param_output_usage, r.param_out) << r.what;
            if (protocol == 13) {
                EXPECT_EQ(h->ip_address, 0x01020304u);
            }
        }
    }
}

TEST(BlockHeaders, NewHeaderWithoutBlocksSavesNoBlockLinesAndReadsBackEmpty) {
    protocol_header fresh(devicenet_header, 1);
    std::string text = text_of(fresh);
    EXPECT_EQ(text.substr(text.find("DEVICENET")), "DEVICENET 0 0\n");
    protocol_header loaded(devicenet_header, 1);
    ASSERT_TRUE(read_after_device_line(loaded, text + "HREG\n"));
    EXPECT_EQ(loaded.blocks.block_count, 22);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(loaded.blocks.table[i].length, 0);
    EXPECT_EQ(loaded.blocks.io_input_size, 0);
    // Once read, the 22 lines are written.
    std::string again = text_of(loaded);
    EXPECT_NE(again.find("DEVICENET 0 0\nINPUT_BLOCK 0/0\n"), std::string::npos);
    EXPECT_NE(again.find("OUTPUT_BLOCK 0/0\n"), std::string::npos);
}

// A header decoded from an image carries I/O sizes apart from its blocks, and may lack the
// blocks; the loss is reported exactly when saving and reading back changes the header.
TEST(BlockHeaders, LossOnSaveTellsWhenSavingChangesTheHeader) {
    struct row {
        const char* what;
        int protocol;
        int block_count;
        int input_size, output_size;
        block_line input, output; // entries 0 and 11
        bool lost;
    };
    const row rows[] = {
        {"sizes of the blocks", 12, 22, 24, 38, {false, 0, 24}, {true, 0, 38}, false},
        {"output size not the blocks'", 12, 22, 24, 32, {false, 0, 24}, {true, 0, 38}, true},
        {"input size not the blocks'", 13, 22, 10, 0, {false, 4, 2}, {true, 0, 0}, true},
        {"no blocks, no sizes", 12, 0, 0, 0, {false, 0, 0}, {true, 0, 0}, true},
        {"no blocks, sizes", 13, 0, 16, 8, {false, 0, 0}, {true, 0, 0}, true},
        {"empty blocks", 13, 22, 0, 0, {false, 0, 0}, {true, 0, 0}, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        auto header = make_header(r.protocol, 1);
        block_layout& blocks = header->blocks;
        blocks.block_count = r.block_count;
        blocks.table[0].start = r.input.start;
        blocks.table[0].length = r.input.length;
        blocks.table[11].start = r.output.start;
        blocks.table[11].length = r.output.length;
        blocks.io_input_size = r.input_size;
        blocks.io_output_size = r.output_size;
        EXPECT_EQ(!header->loss_on_save().empty(), r.lost) << header->loss_on_save();

        const std::string saved = text_of(*header);
        auto again = make_header(r.protocol, 1);
        ASSERT_TRUE(read_after_device_line(*again, saved + "HREG\n"));
        EXPECT_EQ(text_of(*again) != saved, r.lost) << saved;
    }
    // Headers without blocks never lose anything.
    for (int protocol : {0, 1, 2, 3, 9, 10, 11, 14})
        EXPECT_EQ(make_header(protocol, 1)->loss_on_save(), "") << protocol;
}

TEST(BlockHeaders, MalformedBlockLinesKeepTheirPlace) {
    protocol_header h(devicenet_header, 1);
    std::istringstream in("NODENUM 0\nINPUT_BLOCK x\nINPUT_BLOCK 7\nINPUT_BLOCK 3/\n"
                          "INPUT_BLOCK 2147483647/2147483647\nINPUT_BLOCK 5/6\nHREG\n");
    ASSERT_TRUE(read_header(in, h));
    EXPECT_EQ(h.blocks.table[0], (block_entry{0, 0, 0, 0}));
    EXPECT_EQ(h.blocks.table[1], (block_entry{0, 0, 7, 0}));
    EXPECT_EQ(h.blocks.table[2], (block_entry{0, 0, 3, 0}));
    EXPECT_EQ(h.blocks.table[4].start, 5);
    // A block reaching past the int range is clamped, not overflowed.
    EXPECT_EQ(h.blocks.io_input_size, 2147483647);
}

TEST(BlockHeaders, NextBlockRegister) {
    struct reg {
        int number, whole, fraction;
    };
    struct row {
        const char* what;
        int block; // the layout below
        std::vector<reg> registers;
        int expected;
    };
    // Entry 0 input 0/16, entry 5 Param input 100/10, entry 11 output 0/32.
    const row rows[] = {
        {"empty output block", 11, {}, 1024},
        {"after the last register in the block", 11, {{1024, 2, 0}, {1026, 1, 0}}, 1027},
        {"fraction registers count", 11, {{1024, 1, 1}}, 1026},
        {"registers past the block are skipped", 0, {{3, 1, 0}, {1024, 2, 0}}, 4},
        {"a register ending on the block's last number", 0, {{13, 2, 0}}, 15},
        {"a register filling the block to its end does not qualify", 0, {{14, 2, 0}}, 0},
        {"a register ending past the block is skipped", 0, {{2, 1, 0}, {15, 2, 0}}, 3},
        {"registers before the block give its first number", 5, {{0, 2, 0}}, 100},
        {"the last qualifying register in list order decides", 0, {{8, 1, 0}, {2, 1, 0}}, 3},
        {"an empty block gives its first number", 1, {{0, 4, 0}}, 0},
        {"an index outside the table", 22, {}, -1},
    };
    for (const auto& r : rows) {
        zrp_file file(12);
        auto* h = file.header.get();
        ASSERT_NE(h, nullptr);
        h->blocks = block_layout::default_layout(16, 32);
        h->blocks.table[5] = {1, 0, 100, 10};
        for (const auto& g : r.registers) {
            auto reg = std::make_unique<host_register>(&file, g.number);
            reg->whole_count = g.whole;
            reg->fraction_count = g.fraction;
            file.registers.push_back(std::move(reg));
        }
        EXPECT_EQ(h->next_block_register(r.block), r.expected) << r.what;
    }
    // Without an owning file the block's first number is proposed.
    protocol_header alone(ethernetip_header, 1);
    alone.blocks = block_layout::default_layout(16, 32);
    EXPECT_EQ(alone.next_block_register(11), 1024);
    EXPECT_EQ(alone.next_block_register(-1), -1);
}

TEST(BlockLayout, BlockAreaRoundTrip) {
    block_layout layout = block_layout::default_layout(16, 32);
    layout.table[4] = {0, 0, 40, 8};
    layout.table[10] = {1, 0, 500, 0x7FFF};
    layout.table[12] = {0, 1, 32, 4};
    layout.table[21] = {1, 1, 0, 1};
    byte_writer out;
    out.u8(0xAA); // the area is appended after whatever precedes it
    encode_block_area(layout, out);
    ASSERT_EQ(out.data().size(), 445u);
    EXPECT_EQ(be16(out.data().data() + 1), 11); // input blocks up to entry 10
    EXPECT_EQ(be16(out.data().data() + 3), 11); // output blocks up to entry 21

    image_header header{};
    byte_reader reader(out.data());
    reader.skip(1);
    block_layout decoded;
    ASSERT_TRUE(decode_block_area(decoded, header, reader, 1));
    EXPECT_EQ(decoded.table, layout.table);
    EXPECT_EQ(decoded.param_input_usage, 0x7FFF);
    EXPECT_EQ(decoded.param_output_usage, 1);
    // The record stream is left where it was.
    EXPECT_EQ(reader.position(), 1u);

    // Only the entries in use are counted.
    block_layout few = block_layout::default_layout(16, 0);
    byte_writer small;
    encode_block_area(few, small);
    EXPECT_EQ(be16(small.data().data()), 1);
    EXPECT_EQ(be16(small.data().data() + 2), 0);
}
