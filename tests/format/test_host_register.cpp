#include "format/register_image.h"
#include "tests/model/test_model_support.h"

#include "model/model_tables.h"

#include <gtest/gtest.h>

using namespace model_test;

namespace {

std::string repeat(const std::string& item, int n = 16) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += item + " ";
    return out;
}

// A map of protocol for device whose register list holds what text reads.
std::unique_ptr<zrp_file> map_for(int protocol, int device) {
    auto map = std::make_unique<zrp_file>(protocol);
    map->header.reset();
    map->create_header(protocol, device);
    return map;
}

host_register read_entry(zrp_file& map, const std::string& text, bool* ok = nullptr) {
    host_register reg(&map, 0);
    std::istringstream in(text);
    const bool result = read_register(in, reg);
    if (ok != nullptr)
        *ok = result;
    return reg;
}

} // namespace

TEST(HostRegister, WritesEachFormatsEntry) {
    auto map = map_for(1, 1);
    struct row {
        std::function<void(host_register&)> set;
        std::string text;
    };
    const row rows[] = {
        {[](host_register& r) {
             r.format = 1;
             r.feeder = 1;
             r.name = "FdrPercentOfLine";
         },
         "40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1\n"},
        {[](host_register& r) {
             r.format = 1;
             r.name = "X";
             r.maximum = 0.5f;
             r.minimum = -1234567.0f;
             r.scale = 0.001f;
         },
         "40001 0 1 1 0 0 F:0 X 0.5 -1.23457e+06 0.001\n"},
        {[](host_register& r) {
             r.format = 2;
             r.name = "Setpoint";
             r.decimal_shift = -3;
             r.fraction_count = 1;
             r.word_order = 6;
             r.negative = 3;
         },
         "40001 1 1 2 6 3 F:0 Setpoint -3\n"},
        {[](host_register& r) {
             r.format = 5;
             r.name = "Ignored";
             r.rom_constant = -7;
         },
         "40001 0 1 5 0 0 F:0 ROMConstant -7\n"},
        {[](host_register& r) {
             r.format = 11;
             r.name = "ProcStat";
             r.whole_count = 8;
             r.negative = 2;
         },
         "40001 0 8 0 0 2 F:0 ProcStat\n"},
        {[](host_register& r) { r.format = 4; }, "40001 0 1 4 0 0 F:0\n" + repeat("F:0") + "\n" +
                                                     repeat("XXX") + "\n" + repeat("0") + "\n"},
        {[](host_register& r) {
             r.format = 3;
             r.commands[15] = {4, 3, "CTAR"};
             r.commands[0] = {0, 7, "cstc"};
             r.commands[1].value = 6;     // no name of its own
             r.commands[2].mnemonic = ""; // nothing typed
         },
         "40001 0 1 3 0 0 F:0\nF:4 " + repeat("F:0", 15) + "\nCTAR " + repeat("XXXX", 14) +
             "cstc \nHIT " + repeat("OFF", 14) + "XOT \n"},
        {[](host_register& r) {
             r.format = 4;
             r.status[15] = {2, 31, 4}; // "PSW7" for "RDX"
             r.status[0] = {0, -1, 15}; // "PSW6"
         },
         "40001 0 1 4 0 0 F:0\nF:2 " + repeat("F:0", 15) + "\nPSW7 " + repeat("XXX", 14) +
             "PSW6 \n31 " + repeat("0", 14) + "4294967295 \n"},
    };
    for (const auto& r : rows) {
        host_register reg(map.get(), 40001);
        r.set(reg);
        EXPECT_EQ(register_text(reg), r.text);
    }
}

TEST(HostRegister, ArrayRegistersAreStoredAsPassThrough) {
    auto map = map_for(1, 1);
    host_register reg(map.get(), 40001);
    reg.name = "AlarmStat";
    reg.format = 11;
    register_text(reg);
    EXPECT_EQ(reg.format, 0);
    EXPECT_EQ(reg.effective_format(), 11);
}

TEST(HostRegister, StatusCodesWithoutMnemonicAreWrittenUnused) {
    auto map = map_for(1, 0); // "BLF": codes 13 to 15 have no mnemonic
    host_register reg(map.get(), 1);
    reg.format = 4;
    reg.status[15].code = 13;
    reg.status[14].code = 4;
    EXPECT_EQ(register_text(reg), "1 0 1 4 0 0 F:0\n" + repeat("F:0") + "\nXXX SYS " +
                                      repeat("XXX", 14) + "\n" + repeat("0") + "\n");
}

TEST(HostRegister, ReadsMainLines) {
    auto map = map_for(1, 1);
    struct row {
        std::string line;
        int number, fraction, whole, format, word_order, negative, feeder;
        std::string name;
    };
    const row rows[] = {
        {"40001 0 1 0 0 0 F:12 Massflow", 40001, 0, 1, 0, 0, 0, 12, "Massflow"},
        {"40001 0 1 0 0 0 Q:7 Massflow", 40001, 0, 1, 0, 0, 0, 7, "Massflow"},
        {"40001 0 1 0 0 0 F: 9 Massflow", 40001, 0, 1, 0, 0, 0, 9, "Massflow"},
        {"0x10 1 010 0 6 3 F:010 Name", 16, 1, 8, 0, 6, 3, 10, "Name"},
        {"  40005\t0 2 7 0 2 F:1 Float", 40005, 0, 2, 7, 0, 2, 1, "Float"},
        {"40001 0 1", 40001, 0, 1, 0, 0, 0, 0, ""},
        {"40001 0 1 0 0 0 Massflow", 40001, 0, 1, 0, 0, 0, 0, ""},
        {"abc", 0, 0, 1, 0, 0, 0, 0, ""},
        {"40001 0 1 0 0 0 F:0 ABCDEFGHIJKLMNOPQRSTUVWXYZ", 40001, 0, 1, 0, 0, 0, 0,
         "ABCDEFGHIJKLMNOPQRS"},
        {"99999999999999 0 1 0 0 0 F:0 Big", 2147483647, 0, 1, 0, 0, 0, 0, "Big"},
    };
    for (const auto& r : rows) {
        bool ok = false;
        host_register reg = read_entry(*map, "\n   \t\nHREG\n" + r.line + "\n", &ok);
        EXPECT_TRUE(ok) << r.line;
        EXPECT_EQ(reg.register_number, r.number) << r.line;
        EXPECT_EQ(reg.fraction_count, r.fraction) << r.line;
        EXPECT_EQ(reg.whole_count, r.whole) << r.line;
        EXPECT_EQ(reg.format, r.format) << r.line;
        EXPECT_EQ(reg.word_order, r.word_order) << r.line;
        EXPECT_EQ(reg.negative, r.negative) << r.line;
        EXPECT_EQ(reg.feeder, r.feeder) << r.line;
        EXPECT_EQ(reg.name, r.name) << r.line;
    }
}

TEST(HostRegister, ReadsFormatFields) {
    auto map = map_for(1, 1);
    host_register numeric = read_entry(*map, "1 0 1 1 0 0 F:0 Mass 250.5 -2 0.25\n");
    EXPECT_EQ(numeric.maximum, 250.5f);
    EXPECT_EQ(numeric.minimum, -2.0f);
    EXPECT_EQ(numeric.scale, 0.25f);
    host_register partial = read_entry(*map, "1 0 1 1 0 0 F:0 Mass 7\n");
    EXPECT_EQ(partial.maximum, 7.0f);
    EXPECT_EQ(partial.minimum, 0.0f);
    EXPECT_EQ(partial.scale, 1.0f);
    EXPECT_EQ(read_entry(*map, "1 0 1 2 0 0 F:0 Sp 0x3\n").decimal_shift, 3);
    host_register rom = read_entry(*map, "1 0 1 5 0 0 F:0 ROMConstant 077\n");
    EXPECT_EQ(rom.rom_constant, 63);
    EXPECT_EQ(rom.name, "");
    EXPECT_TRUE(read_entry(*map, "1 0 7 9 0 0 F:0 FeederName\n").swap);
    EXPECT_FALSE(read_entry(*map, "1 0 7 10 0 0 F:0 ProcessStatus\n").swap);
}

TEST(HostRegister, ReadsBitmappedEntriesBitFifteenFirst) {
    auto map = map_for(1, 1); // "RDX"
    host_register commands =
        read_entry(*map, "1 0 1 3 0 0 F:0\nF:3 F:1\nCTAR CSTCLONG\nHIT XOT LO nonsense\n");
    EXPECT_EQ(commands.commands[15], (command_bit{3, 3, "CTAR"}));
    EXPECT_EQ(commands.commands[14], (command_bit{1, 5, "CSTC"}));
    EXPECT_EQ(commands.commands[13], (command_bit{0, 2, "XXXX"}));
    EXPECT_EQ(commands.commands[12], (command_bit{0, 0, "XXXX"}));

    host_register status =
        read_entry(*map, "1 0 1 4 0 0 F:0\nF:1 F:2 F:3\nPSW5 SYS ASR\n7 300 -1\n");
    EXPECT_EQ(status.status[15], (status_bit{1, 7, 14}));
    EXPECT_EQ(status.status[14], (status_bit{2, 300, 0})); // "SYS" is not an "RDX" word
    EXPECT_EQ(status.status[13], (status_bit{3, -1, 2}));
    EXPECT_NE(register_text(status).find("\nPSW5 XXX ASR " + repeat("XXX", 13) + "\n"),
              std::string::npos);
}

TEST(HostRegister, BitmappedEntryCutShortEndsTheList) {
    auto map = map_for(1, 1);
    for (const char* text : {"1 0 1 3 0 0 F:0\n", "1 0 1 3 0 0 F:0\nF:0\n",
                             "1 0 1 4 0 0 F:0\nF:0\nXXX\n", "", "\n  \nHREG\n"}) {
        bool ok = true;
        read_entry(*map, text, &ok);
        EXPECT_FALSE(ok) << text;
    }
    // Blank continuation lines are lines: the entry is complete.
    bool ok = false;
    read_entry(*map, "1 0 1 4 0 0 F:0\n\n\n\n", &ok);
    EXPECT_TRUE(ok);
}

TEST(HostRegister, TextEntriesRoundTrip) {
    auto map = map_for(1, 3); // "HQP"
    const std::string texts[] = {
        "40001 0 1 1 6 2 F:5 Massflow 1e+06 -0.125 3.5\n",
        "40003 1 1 2 0 3 F:0 Setpoint 8\n",
        "40010 0 1 4 0 0 F:0\nF:1 " + repeat("F:0", 14) + "F:63 \nPSW3 PSW2 " + repeat("XXX", 13) +
            "ASW7 \n1 2 " + repeat("0", 13) + "31 \n",
        "40011 0 1 3 0 0 F:0\n" + repeat("F:2") + "\n" + repeat("CPAS") + "\n" + repeat("LOT") +
            "\n",
    };
    for (const auto& text : texts) {
        host_register reg = read_entry(*map, text);
        EXPECT_EQ(register_text(reg), text);
    }
}

TEST(HostRegister, CopyTakesValuesButNotBitsAndRenumbers) {
    zrp_file map(11); // Modbus Plus: input 40001, output 41025
    host_register source(&map, 40001);
    source.name = "Massflow";
    source.format = 1;
    source.whole_count = 2;
    source.location = 1;
    source.maximum = 5.0f;
    source.commands[3].value = 4;
    source.status[2].code = 3;
    host_register same(source, false);
    EXPECT_EQ(same.register_number, 40001);
    EXPECT_EQ(same.name, "Massflow");
    EXPECT_EQ(same.whole_count, 2);
    EXPECT_EQ(same.maximum, 5.0f);
    EXPECT_EQ(same.commands[3], command_bit{});
    EXPECT_EQ(same.status[2], status_bit{});
    EXPECT_EQ(host_register(source, true).register_number, 41025);
}

TEST(HostRegister, DecodesImageRecords) {
    auto make = [](std::uint16_t number, std::uint32_t descriptor, const std::string& name,
                   std::vector<std::uint8_t> extra) {
        byte_writer w;
        w.u16(number);
        w.u32(descriptor);
        std::vector<std::uint8_t> slot(20, 0);
        std::copy(name.begin(), name.begin() + std::min<std::size_t>(name.size(), 20),
                  slot.begin());
        w.bytes(slot);
        w.bytes(extra);
        return w.data();
    };
    // fraction 1, whole 3 (bits 27-30), format 2, word order 6, negative 3, feeder 63, and
    // 700 in bits 0-9 (the whole count for "RDX").
    const std::uint32_t d =
        (1u << 31) | (3u << 27) | (2u << 23) | (6u << 19) | (3u << 17) | (63u << 10) | 700u;
    const auto record = make(40001, d, "Setpoint", {0xFF, 0xFF, 0xFF, 0xFD});
    for (int device : {0, 1, 2, 3}) {
        host_register reg(nullptr, 0);
        byte_reader in(record);
        ASSERT_TRUE(decode_register_image(reg, in, device));
        EXPECT_EQ(in.remaining(), 0u);
        EXPECT_EQ(reg.register_number, 40001);
        EXPECT_EQ(reg.fraction_count, 1);
        EXPECT_EQ(reg.whole_count, device == 1 ? 700 : 3);
        EXPECT_EQ(reg.format, 2);
        EXPECT_EQ(reg.word_order, 6);
        EXPECT_EQ(reg.negative, 3);
        EXPECT_EQ(reg.feeder, 63);
        EXPECT_EQ(reg.decimal_shift, -3);
        EXPECT_EQ(reg.name, "Setpoint");
    }

    // Commands: item k is bit 15 - k; nibbles low then high; "XXX" is unused; 7 becomes 5.
    std::vector<std::uint8_t> cmd(72, 0);
    cmd[0] = 200; // feeders are unsigned bytes
    cmd[16] = 0x73;
    for (int k = 0; k < 16; ++k)
        std::copy_n(k == 1 ? "TAR" : "XXX", 3, cmd.begin() + 24 + 3 * k);
    cmd[24 + 3 * 2 + 1] = 0; // "X\0X": ends at the zero byte
    host_register commands(nullptr, 0);
    const auto cmd_record = make(5, 3u << 23, "ABCDEFGHIJKLMNOPQRST", cmd);
    byte_reader cin(cmd_record);
    ASSERT_TRUE(decode_register_image(commands, cin, 0));
    EXPECT_EQ(commands.name, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(commands.commands[15], (command_bit{200, 3, "XXXX"}));
    EXPECT_EQ(commands.commands[14], (command_bit{0, 5, "CTAR"}));
    EXPECT_EQ(commands.commands[13], (command_bit{0, 0, "CX"}));

    std::vector<std::uint8_t> st(40, 0);
    st[15] = 130;
    st[16 + 7] = 0xE0;
    st[24 + 15] = 255;
    host_register status(nullptr, 0);
    const auto st_record = make(6, 4u << 23, "", st);
    byte_reader sin(st_record);
    ASSERT_TRUE(decode_register_image(status, sin, 1));
    EXPECT_EQ(status.status[0], (status_bit{130, 255, 14}));
}

TEST(HostRegister, TruncatedRecordsFail) {
    zrp_file map(1);
    host_register source(&map, 40001);
    for (int format : {0, 1, 2, 3, 4, 5, 9}) {
        source.format = format;
        byte_writer w;
        encode_register_image(source, w, 1);
        for (std::size_t cut = 0; cut < w.data().size(); ++cut) {
            std::vector<std::uint8_t> part(w.data().begin(), w.data().begin() + cut);
            byte_reader in(part);
            host_register reg(&map, 0);
            EXPECT_FALSE(decode_register_image(reg, in, 1));
        }
    }
}
