#include "tests/model/test_maps.h"
#include "tests/model/test_model_support.h"

#include "format/image_codec.h"
#include "format/map_diff.h"
#include "model/model_tables.h"

#include <functional>
#include <gtest/gtest.h>

using namespace model_test;

namespace {

std::vector<std::string> lines_of(const zrp_file& a, const zrp_file& b) {
    std::vector<std::string> out;
    for (const map_difference& d : diff_maps(a, b))
        out.push_back(d.line());
    return out;
}

std::vector<std::string> lines_of(const std::string& a, const std::string& b) {
    auto ma = loaded(a), mb = loaded(b);
    if (!ma || !mb)
        return {"(not loaded)"};
    return lines_of(*ma, *mb);
}

host_register& register_numbered(zrp_file& map, int number) {
    for (auto& reg : map.registers)
        if (reg->register_number == number)
            return *reg;
    throw std::runtime_error("no register " + std::to_string(number));
}

} // namespace

TEST(MapDiff, EachRegisterFieldChangedAloneGivesItsLineForEveryProtocol) {
    struct row {
        int number;
        std::function<void(host_register&)> change;
        std::vector<std::string> lines;
    };
    const row rows[] = {
        {0, [](host_register& r) { r.feeder = 5; }, {"~ 0 Feeder: 0 -> 5"}},
        {0, [](host_register& r) { r.name = "Setpoint"; }, {"~ 0 Parameter: Massflow -> Setpoint"}},
        {0, [](host_register& r) { r.fraction_count = 1; }, {"~ 0 Fractional words: 0 -> 1"}},
        {0, [](host_register& r) { r.whole_count = 2; }, {"~ 0 Whole words: 1 -> 2"}},
        {0, [](host_register& r) { r.word_order = 6; }, {"~ 0 Word order: NORMAL -> REVERSED"}},
        {0, [](host_register& r) { r.negative = 3; }, {"~ 0 Negative: SIGNED -> FORCE_0"}},
        {0, [](host_register& r) { r.negative = 1; }, {"~ 0 Negative: SIGNED -> 1"}},
        {1, [](host_register& r) { r.maximum = 150; }, {"~ 1 Maximum: 250.5 -> 150"}},
        {1, [](host_register& r) { r.minimum = 0; }, {"~ 1 Minimum: -1 -> 0"}},
        {1, [](host_register& r) { r.scale = 2; }, {"~ 1 Scale: 0.001 -> 2"}},
        {3, [](host_register& r) { r.decimal_shift = 2; }, {"~ 3 Decimal shift: -8 -> 2"}},
        {5,
         [](host_register& r) { r.commands[15].mnemonic = "CRUN"; },
         {"~ 5 Bit 15: F:1 CTAR HIT -> F:1 CRUN HIT"}},
        {5,
         [](host_register& r) { r.commands[0].feeder = 6; },
         {"~ 5 Bit 0: F:5 XXXX LOT -> F:6 XXXX LOT"}},
        {5,
         [](host_register& r) { r.commands[7].value = 1; },
         {"~ 5 Bit 7: F:5 XXXX LOT -> F:5 XXXX HI"}},
        {6,
         [](host_register& r) { r.status[15].code = 2; },
         {"~ 6 Bit 15: F:7 PSR 31 -> F:7 ASR 31"}},
        {6,
         [](host_register& r) { r.status[3].bit_position = 9; },
         {"~ 6 Bit 3: F:7 ASW0 2 -> F:7 ASW0 9"}},
        {7, [](host_register& r) { r.rom_constant = 7; }, {"~ 7 ROM constant: -123456 -> 7"}},
        {8, [](host_register& r) { r.format = 7; }, {"~ 8 Format: SIEMENS_FLOAT -> IEEE_FLOAT"}},
        {37, [](host_register& r) { r.format = 43; }, {"~ 37 Format: 42 -> 43"}},
        // A format decides the swap and which cells apply.
        {13,
         [](host_register& r) { r.format = 0; },
         {"~ 13 Format: STRING_VAL -> INT_PASSTHRU", "~ 13 Swap: STRING_SWAP -> NO_SWAP"}},
        {29,
         [](host_register& r) { r.name = "Other"; },
         {"~ 29 Parameter: ProcStat -> Other", "~ 29 Format: INT_ARRAY -> INT_PASSTHRU"}},
        {1,
         [](host_register& r) { r.format = 0; },
         {"~ 1 Format: INT_NUMERIC -> INT_PASSTHRU", "~ 1 Maximum: 250.5 -> ",
          "~ 1 Minimum: -1 -> ", "~ 1 Scale: 0.001 -> "}},
        // What the map file does not keep is no difference.
        {0, [](host_register& r) { r.group_name = "Group"; }, {}},
        {7, [](host_register& r) { r.name = "Unwritten"; }, {}},
    };
    for (const std::string& head : headers_of_every_protocol()) {
        auto a = loaded(head + entries_of_every_format());
        ASSERT_TRUE(a);
        EXPECT_EQ(lines_of(*a, *a), std::vector<std::string>{});
        for (const auto& r : rows) {
            auto b = loaded(head + entries_of_every_format());
            r.change(register_numbered(*b, r.number));
            EXPECT_EQ(lines_of(*a, *b), r.lines) << head.substr(0, head.find('\n'));
        }
    }
}

TEST(MapDiff, HeaderLinesMatchByFirstWordAndOccurrence) {
    const auto heads = headers_of_every_protocol();
    const std::string& modbus = heads[1];
    const std::string& tcp = heads[5];
    const std::string& devicenet = heads[7];
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    struct row {
        std::string a, b;
        std::vector<std::string> lines;
    };
    const row rows[] = {
        {modbus,
         replaced(modbus, "RDX", "BLF"),
         {"~ device: RDX Modbus protocol -> BLF Modbus protocol"}},
        {modbus,
         replaced(modbus, "38400", "9600"),
         {"~ header PLC_CHAN: 38400 RTU 8 EVEN_PARITY 2STOPBITS MSBYTE_FIRST -> 9600 RTU 8 "
          "EVEN_PARITY 2STOPBITS MSBYTE_FIRST"}},
        {modbus, replaced(modbus, "REGMAX 500", "REGMAX 100"), {"~ header REGMAX: 500 -> 100"}},
        {tcp,
         modbus,
         {"~ device: RDX Modbus/TCP protocol -> RDX Modbus protocol",
          "- header MBTCP: 192.168.1.20 255.255.255.0 192.168.1.1"}},
        {modbus,
         tcp,
         {"~ device: RDX Modbus protocol -> RDX Modbus/TCP protocol",
          "+ header MBTCP: 192.168.1.20 255.255.255.0 192.168.1.1"}},
        // The sixth INPUT_BLOCK line is the first Param input block.
        {devicenet,
         replaced(devicenet, "INPUT_BLOCK 300/10", "INPUT_BLOCK 300/20"),
         {"~ header INPUT_BLOCK: 300/10 -> 300/20"}},
        {replaced(devicenet, "OUTPUT_BLOCK 0/8", "OUTPUT_BLOCK 0/0"),
         devicenet,
         {"~ header DEVICENET: 16 0 -> 16 8", "~ header OUTPUT_BLOCK: 0/0 -> 0/8"}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(lines_of(r.a, r.b), r.lines) << r.a << r.b;
}

TEST(MapDiff, RegistersInOneMapOnlyShowTheirFirstLineByAscendingNumber) {
    const std::string head = headers_of_every_protocol()[1];
    const std::string a = head +
                          "40005 0 1 2 0 0 F:2 Setpoint 3\n40001 0 1 0 0 0 F:0 Massflow\n"
                          "40007 0 1 4 0 0 F:0\n" +
                          sixteen("F:0") + "\n" + sixteen("XXX") + "\n" + sixteen("0") + "\n";
    const std::string b = head + "40003 0 1 0 0 0 F:0 New\n40001 0 1 0 0 0 F:0 Massflow\n"
                                 "40008 0 1 0 0 0 F:0 ProcStat\n";
    EXPECT_EQ(lines_of(a, b), (std::vector<std::string>{
                                  "+ 40003 0 1 0 0 0 F:0 New", "- 40005 0 1 2 0 0 F:2 Setpoint 3",
                                  "- 40007 0 1 4 0 0 F:0", "+ 40008 0 1 0 0 0 F:0 ProcStat"}));
    // The list order of the maps does not matter.
    EXPECT_EQ(lines_of(head + "1 0 1 0 0 0 F:0 A\n2 0 1 0 0 0 F:0 B\n",
                       head + "2 0 1 0 0 0 F:0 B\n1 0 1 0 0 0 F:0 A\n"),
              std::vector<std::string>{});
}

TEST(MapDiff, DiffingLeavesBothMapsAsTheyWere) {
    const std::string profinet = headers_of_every_protocol()[9];
    auto a = loaded(profinet + "1 0 1 1 0 0 F:0 ProcStat 5 0 1\n");
    ASSERT_TRUE(a);
    a->header->node = 7;
    a->header->regmax = 99;
    zrp_file b(protocol_modbus);
    diff_maps(*a, b);
    EXPECT_EQ(a->header->node, 7);
    EXPECT_EQ(a->header->regmax, 99);
    EXPECT_EQ(a->registers[0]->format, 1);
}

TEST(MapDiff, AMapAgainstItsCardViewShowsOnlyWhatAnImageCannotCarry) {
    struct row {
        std::string device;
        std::string entry;
        std::vector<std::string> lines;
    };
    const row rows[] = {
        {"RDX", "40001 0 20 0 0 0 F:1 Massflow\n", {}},
        // Four bits of whole count for the other devices, six bits of feeder for all.
        {"BLF", "40001 0 20 0 0 0 F:1 Massflow\n", {"~ 40001 Whole words: 20 -> 4"}},
        {"RDX", "40001 0 1 0 0 0 F:70 Massflow\n", {"~ 40001 Feeder: 70 -> 6"}},
    };
    for (const auto& r : rows) {
        auto map = loaded(headers_of_every_protocol(r.device)[1] + r.entry);
        ASSERT_TRUE(map);
        map->registers[0]->group_name = "Feeder 1";
        zrp_file card_view;
        ASSERT_TRUE(map_as_card_holds(*map, map->header->device_code, card_view));
        EXPECT_EQ(lines_of(*map, card_view), r.lines) << r.device << " " << r.entry;
    }
}
