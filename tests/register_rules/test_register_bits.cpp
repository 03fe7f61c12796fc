// The Commands and Status pages without a window: opening, the lists and legends by device,
// OK's checks and what the pages hand back, through to the register's stored codes.

#include "model/host_register.h"
#include "model/register_values.h"
#include "model/zrp_file.h"
#include "register_rules/register_bits_state.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

register_dialog_values bits_values(int device) {
    register_dialog_values v;
    v.device_code = device;
    for (int bit = 0; bit < 16; ++bit) {
        v.commands[static_cast<std::size_t>(bit)] = {bit, bit % 6, "CTOC"};
        v.status[static_cast<std::size_t>(bit)] = {bit, bit, "ASR"};
    }
    v.commands[2].value = 9; // a code without a caption
    return v;
}

} // namespace

TEST(RegisterBits, OpeningTheCommandsPage) {
    // Network protocols lock every trigger to "Rising edge", stored as 3 on OK.
    register_bits_state network(bits_values(0), true);
    network.open_commands();
    EXPECT_FALSE(network.triggers_enabled());
    register_dialog_values out = bits_values(0);
    network.write(out);
    for (const auto& c : out.commands)
        EXPECT_EQ(c.value, 3);

    // Serial protocols show the stored mode; one without a caption shows "Off".
    register_bits_state serial(bits_values(0), false);
    serial.open_commands();
    EXPECT_TRUE(serial.triggers_enabled());
    EXPECT_EQ(serial.command(5).trigger, 5);
    EXPECT_EQ(serial.command(2).trigger, 0);
    EXPECT_EQ(serial.command(0).mnemonic, "CTOC");
}

TEST(RegisterBits, ListsLegendsAndFeedersByDevice) {
    const auto modes = register_bits_state::trigger_modes();
    ASSERT_EQ(modes.size(), 6u);
    EXPECT_EQ(modes[0], "Off");
    EXPECT_EQ(modes[3], "Rising edge");
    EXPECT_EQ(modes[5], "Any edge");
    const auto commands = register_bits_state::command_mnemonics();
    ASSERT_EQ(commands.size(), 38u);
    EXPECT_EQ(commands.front(), "XXXX");
    EXPECT_EQ(commands[25], "CSTC");
    EXPECT_EQ(commands.back(), "ctoc");
    EXPECT_EQ(register_bits_state::command_legend().size(), 38u);

    struct c {
        int device;
        std::vector<std::string_view> extra;
    };
    const c cases[] = {
        {0, {"ASW4", "ASW5", "ASW6", "ASW7"}},
        {1, {"PSW0", "PSW1", "PSW2", "PSW3", "PSW4", "PSW5", "PSW6", "PSW7"}},
        {2, {"ASW4", "ASW5", "ASW6", "ASW7"}},
        {3, {"ASW4", "ASW5", "ASW6", "ASW7", "PSW0", "PSW1", "PSW2", "PSW3", "PSW7"}},
        {255, {"ASW4", "ASW5", "ASW6", "ASW7"}},
    };
    for (const c& x : cases) {
        std::vector<std::string_view> expected = {"XXXX", "ASR",  "PSR", "ASW0",
                                                  "ASW1", "ASW2", "ASW3"};
        expected.insert(expected.end(), x.extra.begin(), x.extra.end());
        EXPECT_EQ(register_bits_state::status_mnemonics(x.device), expected) << x.device;
        // The legend: seven lines always shown normally, then the twelve lines of the extra
        // words, normal exactly for the device's own.
        const auto legend = register_bits_state::status_legend(x.device);
        ASSERT_EQ(legend.size(), 19u);
        for (std::size_t i = 0; i < legend.size(); ++i) {
            const std::string_view word = legend[i].text.substr(legend[i].text.find(']') + 2, 4);
            const bool own = std::find(x.extra.begin(), x.extra.end(), word) != x.extra.end();
            EXPECT_EQ(legend[i].normal, i < 7 || own) << x.device << " " << legend[i].text;
        }
        EXPECT_EQ(register_bits_state(bits_values(x.device), false).feeders_enabled(),
                  x.device == 2 || x.device == 3);
    }
    EXPECT_EQ(register_bits_state::status_legend(0)[7].text,
              "[BLF] ASW4 = AlarmStatus4 (bits 128-159)");
    EXPECT_EQ(register_bits_state::status_legend(0)[18].text,
              "[RDX] PSW7 - ProcStatus7 (bits 224-255)");
}

TEST(RegisterBits, ChecksOfTheOpenedPages) {
    using field = dialog_refusal::field;
    struct c {
        const char* position;
        const char* feeder;
        bool refused;
        field where;
        std::string message;
    };
    const c cases[] = {
        {"31", "0", false, field::status_feeder, ""},
        {"0", "-4", false, field::status_feeder, ""},
        {"32", "0", true, field::status_bit_position, "Please enter an integer between 0 and 31."},
        {"-1", "0", true, field::status_bit_position, "Please enter an integer between 0 and 31."},
        {"3a", "0", true, field::status_bit_position, "Please enter an integer."},
        {"3", "F1", true, field::status_feeder, "Please enter an integer."},
    };
    for (const c& x : cases) {
        register_bits_state bits(bits_values(0), false);
        // Nothing is checked on a page never opened.
        bits.status(4).bit_position_text = x.position;
        bits.status(4).feeder_text = x.feeder;
        EXPECT_FALSE(bits.check(false, true));
        bits.open_status();
        EXPECT_FALSE(bits.check(true, false)); // the page was taken away again
        const auto refusal = bits.check(false, true);
        ASSERT_EQ(refusal.has_value(), x.refused) << x.position;
        if (refusal) {
            EXPECT_EQ(refusal->where, x.where);
            EXPECT_EQ(refusal->bit, 4);
            EXPECT_EQ(refusal->message, x.message);
        }
    }
    register_bits_state commands(bits_values(0), false);
    commands.open_commands();
    commands.command(12).feeder_text = "";
    const auto refusal = commands.check(true, false);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->where, field::command_feeder);
    EXPECT_EQ(refusal->bit, 12);
    // Taken away, the page hands back what the register had for a number that does not read.
    register_dialog_values out = bits_values(0);
    commands.write(out);
    EXPECT_EQ(out.commands[12].feeder, 12);
}

TEST(RegisterBits, StatusMnemonicsStoredAsCodes) {
    // Through the register: the page's mnemonic becomes the device's code, unknown text 0;
    // code 0 shows again as "XXX".
    struct c {
        int device;
        const char* typed;
        int code;
    };
    const c cases[] = {{1, "PSW5", 14}, {3, "PSW5", 0}, {0, "asr", 0}, {0, "ASR", 2},
                       {0, "XXXX", 0},  {3, "PSW3", 3}, {0, "SYS", 4}, {1, "SYS", 0}};
    for (const c& x : cases) {
        zrp_file map(1);
        map.header->device_code = x.device;
        host_register reg(&map, 40001);
        reg.format = 4;
        register_dialog_values v = register_values(reg);
        register_bits_state bits(v, false);
        bits.open_status();
        bits.status(9).mnemonic = x.typed;
        bits.write(v);
        apply_register_values(reg, v);
        EXPECT_EQ(reg.status[9].code, x.code) << x.device << " " << x.typed;
        if (x.code == 0) {
            EXPECT_EQ(register_bits_state(register_values(reg), false).status(9).mnemonic, "XXX");
        }
    }
    // A page never opened hands back the register's values, whatever the fields hold.
    register_dialog_values v = bits_values(0);
    register_bits_state untouched(v, true);
    untouched.command(3).mnemonic = "CALA";
    untouched.status(3).mnemonic = "PSR";
    register_dialog_values out = v;
    untouched.write(out);
    EXPECT_EQ(out.commands[3].mnemonic, "CTOC");
    EXPECT_EQ(out.commands[3].value, 3);
    EXPECT_EQ(out.status[3].mnemonic, "ASR");
}

TEST(RegisterBits, DialogIntegers) {
    const std::pair<const char*, std::optional<int>> cases[] = {{"0", 0},
                                                                {" 12 ", 12},
                                                                {"+7", 7},
                                                                {"-8", -8},
                                                                {"", {}},
                                                                {" ", {}},
                                                                {"1 2", {}},
                                                                {"0x10", {}},
                                                                {"12a", {}},
                                                                {"2147483648", {}},
                                                                {"-2147483648", -2147483647 - 1},
                                                                {"--1", {}}};
    for (auto [text, value] : cases)
        EXPECT_EQ(parse_dialog_integer(text), value) << text;
}
