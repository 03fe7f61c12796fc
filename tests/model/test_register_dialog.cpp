#include "tests/model/test_model_support.h"

#include "model/block_layout.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"

#include <gtest/gtest.h>

using namespace model_test;

TEST(RegisterDialog, PresetsFromRegisterAndFile) {
    zrp_file map(11); // Modbus Plus, "RDX"
    auto first = std::make_unique<host_register>(&map, 40001);
    ASSERT_EQ(map.add_register(std::move(first)), 0);
    host_register reg(&map, 41030);
    reg.name = "ProcStat";
    reg.format = 0;
    reg.negative = 3;
    reg.word_order = 6;
    reg.maximum = 2.5f;
    reg.status[4].code = 14;
    reg.status[5].code = 99;
    reg.commands[2] = {1, 4, "CPAS"};
    const register_dialog_values v = register_values(reg);
    EXPECT_EQ(v.next_free_input, 40002);
    EXPECT_EQ(v.next_free_output, 41025);
    EXPECT_FALSE(v.block_mapped);
    EXPECT_EQ(v.device_code, 1);
    EXPECT_EQ(v.protocol_name, "Modbus+");
    EXPECT_EQ(v.output_base, 41025);
    EXPECT_EQ(v.register_number, 41030);
    EXPECT_EQ(v.format, 11); // array parameter
    EXPECT_FALSE(v.swapped);
    EXPECT_TRUE(v.reversed);
    EXPECT_EQ(v.negative_choice, 2);
    EXPECT_EQ(v.maximum_text, "2.500000");
    EXPECT_EQ(v.minimum_text, "0.000000");
    EXPECT_EQ(v.scale_text, "1.000000");
    EXPECT_EQ(v.status[4].mnemonic, "PSW5");
    EXPECT_EQ(v.status[5].mnemonic, "XXX");
    EXPECT_EQ(v.commands[2].mnemonic, "CPAS");
    EXPECT_EQ(v.commands[2].value, 4);

    const int choices[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}};
    for (auto [negative, choice] : choices) {
        reg.negative = negative;
        EXPECT_EQ(register_values(reg).negative_choice, choice);
    }
    for (int format : {9, 10}) {
        reg.name = "X";
        reg.format = format;
        EXPECT_TRUE(register_values(reg).swapped);
    }
    host_register lone(nullptr, 3);
    EXPECT_EQ(register_values(lone).device_code, 255);
}

TEST(RegisterDialog, ConfirmedValuesFollowTheParameterName) {
    struct row {
        std::string name;
        int chosen_format;
        bool swapped;
        int fraction_choice, whole_choice, negative_choice;
        int format, fraction, whole, negative;
    };
    const row rows[] = {
        {"ProcStat", 1, false, 1, 5, 0, 11, 0, 5, 2},
        {"AlarmStat", 0, true, 0, 16, 2, 11, 0, 16, 2},
        {"FeederName", 1, true, 1, 7, 1, 9, 0, 7, 2},
        {"FeederName", 9, false, 1, 7, 1, 0, 0, 7, 2},
        {"ProcessStatus", 1, true, 1, 2, 0, 10, 1, 2, 0},
        {"AlarmStatus7", 10, false, 0, 2, 0, 0, 0, 2, 0},
        {"Massflow", 7, false, 1, 2, 2, 7, 1, 2, 3},
        {"Massflow", 10, false, 0, 1, 0, 0, 0, 1, 0},
        {"Massflow", 9, true, 1, 3, 0, 9, 0, 3, 0},
    };
    for (const auto& r : rows) {
        zrp_file map(1);
        host_register reg(&map, 40001);
        scripted_dialogs d;
        d.on_register = [&](register_dialog_values& v) {
            v.name = r.name;
            v.format = r.chosen_format;
            v.swapped = r.swapped;
            v.fraction_count = r.fraction_choice;
            v.whole_count = r.whole_choice;
            v.negative_choice = r.negative_choice;
        };
        EXPECT_TRUE(edit_register(reg, d, true));
        EXPECT_EQ(d.register_flags, std::vector<int>{1});
        EXPECT_EQ(reg.format, r.format) << r.name << " " << r.chosen_format;
        EXPECT_EQ(reg.fraction_count, r.fraction) << r.name;
        EXPECT_EQ(reg.whole_count, r.whole) << r.name;
        EXPECT_EQ(reg.negative, r.negative) << r.name;
        EXPECT_EQ(reg.swap, r.swapped);
    }
}

TEST(RegisterDialog, ConfirmedValuesAreCopiedBack) {
    zrp_file map(1); // "RDX"
    for (int n : {40001, 40002, 40003}) {
        auto reg = std::make_unique<host_register>(&map, n);
        reg->name = "R" + std::to_string(n);
        ASSERT_GE(map.add_register(std::move(reg)), 0);
    }
    host_register& reg = *map.registers[0];
    scripted_dialogs d;
    d.on_register = [](register_dialog_values& v) {
        v.register_number = 40010;
        v.name = "Setpoint";
        v.group_name = "Feeder";
        v.format = 1;
        v.reversed = true;
        v.maximum_text = "250.5";
        v.minimum_text = "not a number";
        v.scale_text = " 0.5 ";
        v.feeder = 4;
        v.rom_constant = 77;
        v.decimal_shift = -2;
        v.location = 1;
        v.commands[0] = {2, 3, "CTAR"};
        v.status[1] = {3, 17, "PSW5"};
        v.status[2] = {0, 0, "asr"};
    };
    EXPECT_TRUE(edit_register(reg, d));
    EXPECT_EQ(reg.word_order, 6);
    EXPECT_EQ(reg.maximum, 250.5f);
    EXPECT_EQ(reg.minimum, 0.0f);
    EXPECT_EQ(reg.scale, 0.5f);
    EXPECT_EQ(reg.feeder, 4);
    EXPECT_EQ(reg.last_line_feeder, 4);
    EXPECT_EQ(reg.rom_constant, 77);
    EXPECT_EQ(reg.decimal_shift, -2);
    EXPECT_EQ(reg.location, 1);
    EXPECT_EQ(reg.group_name, "Feeder");
    EXPECT_EQ(reg.commands[0], (command_bit{2, 3, "CTAR"}));
    EXPECT_EQ(reg.status[1], (status_bit{3, 17, 14}));
    EXPECT_EQ(reg.status[2].code, 0);
    // The number changed: the list is sorted, and the template is a copy of the register.
    ASSERT_EQ(map.registers.back()->name, "Setpoint");
    EXPECT_EQ(map.registers.front()->register_number, 40002);
    ASSERT_TRUE(map.template_register);
    EXPECT_EQ(map.template_register->name, "Setpoint");
    EXPECT_EQ(map.template_register->register_number, 40010);
    EXPECT_EQ(map.template_register->commands[0], command_bit{});
}

TEST(RegisterDialog, LineParametersKeepTheLastLineFeeder) {
    zrp_file map(1);
    host_register reg(&map, 40001);
    reg.last_line_feeder = -1;
    scripted_dialogs d;
    d.on_register = [](register_dialog_values& v) {
        v.name = "LineRate";
        v.feeder = 101;
    };
    edit_register(reg, d);
    EXPECT_EQ(reg.last_line_feeder, -1);
    EXPECT_EQ(reg.feeder, 101);
}

TEST(RegisterDialog, CancelLeavesTheRegisterUntouched) {
    zrp_file map(1);
    auto added = std::make_unique<host_register>(&map, 40001);
    added->name = "Massflow";
    ASSERT_EQ(map.add_register(std::move(added)), 0);
    map_editor editor(map);
    auto values = editor.properties_values(0);
    ASSERT_TRUE(values);
    values->name = "Other";
    values->register_number = 5;
    editor.cancel_register_edit();
    EXPECT_EQ(map.registers[0]->name, "Massflow");
    EXPECT_EQ(map.registers[0]->register_number, 40001);
    EXPECT_FALSE(map.template_register);
    EXPECT_FALSE(editor.history().can_undo());
}

TEST(RegisterDialog, BlockProposalsAndFormatByName) {
    // A block-mapped map hands the dialog each block's next free register.
    zrp_file map(12); // DeviceNet
    auto* header = map.header.get();
    ASSERT_NE(header, nullptr);
    header->blocks = block_layout::default_layout(16, 32);
    auto reg = std::make_unique<host_register>(&map, 1024);
    reg->whole_count = 2;
    ASSERT_GE(map.add_register(std::move(reg)), 0);
    const register_dialog_values v = register_values(host_register(&map, 0));
    EXPECT_TRUE(v.block_mapped);
    EXPECT_EQ(v.block_count, 22);
    for (int b = 0; b < block_table_size; ++b)
        EXPECT_EQ(v.next_free_in_block[static_cast<std::size_t>(b)], header->next_block_register(b))
            << b;
    EXPECT_EQ(v.next_free_in_block[11], 1026);
    // Other maps have no proposals.
    zrp_file modbus(1);
    EXPECT_EQ(register_values(host_register(&modbus, 0)).next_free_in_block[0], 0);

    const std::tuple<const char*, int, int> names[] = {
        {"ProcStat", 1, 11},     {"AlarmStat", 0, 11}, {"FeederName", 1, 9},
        {"AlarmStatus3", 7, 10}, {"Massflow", 2, 2},   {"procstat", 1, 1},
    };
    for (auto [name, chosen, format] : names)
        EXPECT_EQ(dialog_format(name, chosen), format) << name;
}
