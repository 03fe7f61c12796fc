#include "tests/model/test_model_support.h"
#include "tests/support/scripted_ui.h"

#include "model/model_tables.h"
#include "model/protocol_header.h"

#include <gtest/gtest.h>

#include <random>

using namespace model_test;

namespace {

const std::string modbus_head = "RDX Modbus protocol\n"
                                "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                                "REGMAX 65535\n"
                                "NODENUM 0\n"
                                "HREG\n";

std::string map_head(const std::string& protocol_word, const std::string& extra = "") {
    return "BLF " + protocol_word + " protocol\n" +
           "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
           "REGMAX 65535\nNODENUM 0\n" +
           extra + "HREG\n";
}

std::vector<int> numbers_of(const zrp_file& map) {
    std::vector<int> out;
    for (const auto& reg : map.registers)
        out.push_back(reg->register_number);
    return out;
}

std::string entry(int number, int whole, const std::string& name, int fraction = 0) {
    return std::to_string(number) + " " + std::to_string(fraction) + " " + std::to_string(whole) +
           " 0 0 0 F:0 " + name + "\n";
}

} // namespace

TEST(ZrpFile, SavingALoadedMapReproducesItsText) {
    const std::string status_lines = "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 "
                                     "F:0 F:0 \n"
                                     "XXX XXX ASW3 XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX "
                                     "XXX PSR \n"
                                     "0 0 31 0 0 0 0 0 0 0 0 0 0 0 0 5 \n";
    const std::string command_lines = "F:1 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 "
                                      "F:0 F:2 \n"
                                      "CTAR XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX "
                                      "XXXX XXXX XXXX XXXX cstc \n"
                                      "HIT OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF "
                                      "OFF XOT \n";
    const std::string registers = "40010 0 1 0 0 0 F:0 Massflow\n"
                                  "40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1\n"
                                  "40002 1 1 2 6 3 F:0 Setpoint -3\n"
                                  "40004 0 1 5 0 0 F:0 ROMConstant 1234\n"
                                  "40005 0 1 4 0 2 F:0\n" +
                                  status_lines + "40006 0 1 3 0 0 F:0\n" + command_lines +
                                  "40020 0 7 9 0 2 F:0 FeederName\n";
    const std::string texts[] = {
        modbus_head + registers,
        "BLF Generic protocol protocol\n"
        "PLC_CHAN 9600 RTU 7 EVEN_PARITY 2STOPBITS LSBYTE_FIRST\nREGMAX 100\nNODENUM 3\nHREG\n" +
            registers,
        "HQP Profibus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
        "REGMAX 65535\nNODENUM 1\nPROFIBUS 10 20 1\nHREG\n0 0 1 0 0 0 F:0 Massflow\n"
        "1024 0 2 7 0 0 F:3 Setpoint\n",
    };
    for (const auto& text : texts) {
        auto map = loaded(text);
        ASSERT_TRUE(map) << text;
        EXPECT_EQ(text_of(*map), text);
    }
}

TEST(ZrpFile, DeviceLineDecidesDeviceAndHeader) {
    struct row {
        std::string first_line;
        int device, protocol;
        std::string written_device_line;
    };
    const row rows[] = {
        {"RDX Modbus protocol", 1, 1, "RDX Modbus protocol"},
        {"  WNT Allen-Bradley protocol", 2, 2, "WNT Allen-Bradley protocol"},
        {"HQP Modbus/TCP protocol", 3, 10, "HQP Modbus/TCP protocol"},
        {"BLF Generic protocol protocol", 0, 0, "BLF Generic protocol protocol"},
        {"RDX modbus protocol", 1, 0, "RDX Generic protocol protocol"}, // case-sensitive
        {"RDX Unknown protocol", 1, 0, "RDX Generic protocol protocol"},
        // No device word: a "BLF" map with the generic header, first line left to the header.
        {"Hello there", 0, 0, "BLF Generic protocol protocol"},
        {"rdx Modbus protocol", 0, 0, "BLF Generic protocol protocol"},
    };
    for (const auto& r : rows) {
        const std::string text = r.first_line +
                                 "\nPLC_CHAN 9600 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                                 "REGMAX 65535\nNODENUM 0\n" +
                                 (r.protocol == 10 ? "MBTCP 1.2.3.4 0.0.0.0 0.0.0.0\n" : "") +
                                 "HREG\n";
        auto map = loaded(text);
        ASSERT_TRUE(map) << r.first_line;
        EXPECT_EQ(map->header->device_code, r.device) << r.first_line;
        EXPECT_EQ(map->protocol_code, r.protocol) << r.first_line;
        EXPECT_EQ(map->header->baud, 0) << r.first_line;
        EXPECT_EQ(text_of(*map).substr(0, r.written_device_line.size() + 1),
                  r.written_device_line + "\n");
    }
}

TEST(ZrpFile, LoadWithoutDeviceLineFindsHeaderLinesAnywhereBeforeNodenum) {
    auto map = loaded("; a comment\nREGMAX 300\nsomething else\n"
                      "PLC_CHAN 38400 ASCII 7 ODD_PARITY 2STOPBITS LSBYTE_FIRST\n"
                      "NODENUM 5\n40001 0 1 0 0 0 F:0 Massflow\n");
    ASSERT_TRUE(map);
    EXPECT_EQ(map->header->device_code, 0);
    EXPECT_EQ(map->header->regmax, 300);
    EXPECT_EQ(map->header->baud, 2);
    EXPECT_EQ(map->header->node, 5);
    ASSERT_EQ(map->register_count(), 1);
    EXPECT_EQ(map->registers[0]->name, "Massflow");
}

TEST(ZrpFile, LoadFailsOnlyWhenTheHeaderIsCutShort) {
    const std::string failing[] = {
        "",
        "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 1\n",
        "RDX Modbus protocol\nNODENUM 0\n40001 0 1 0 0 0 F:0 NoHregLine\n",
        "\x01\x02\xff\xfe binary",
    };
    for (const auto& text : failing) {
        zrp_file map(1);
        EXPECT_FALSE(load(map, text));
        ASSERT_TRUE(map.header);
        EXPECT_EQ(map.register_count(), 0);
    }
    // Entries that do not parse end nothing: they become registers with defaults.
    auto map = loaded(modbus_head + "garbage line\n\x01\x02\x03\n");
    ASSERT_TRUE(map);
    EXPECT_EQ(numbers_of(*map), (std::vector<int>{40001, 40002}));
}

TEST(ZrpFile, CrLfLineEndsAndOverlongLinesAreAccepted) {
    std::string text = modbus_head + entry(40001, 1, "Massflow");
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    text += std::string(5000, 'y') + "\r\n" + entry(40100, 1, "Setpoint");
    auto map = loaded(text);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->protocol_code, 1);
    ASSERT_EQ(map->register_count(), 3);
    EXPECT_EQ(map->registers[0]->name, "Massflow");
    EXPECT_EQ(map->registers[2]->register_number, 40100);
}

TEST(ZrpFile, ConflictingRegistersAreReportedAndLeftOut) {
    struct row {
        std::string entries;
        std::vector<int> kept;
        std::vector<std::string> messages;
    };
    const std::string msg = "Conflicting Register Ignored\nRegister Num: ";
    const row rows[] = {
        {entry(40001, 2, "A") + entry(40002, 1, "B"), {40001}, {msg + "40002\nParameter: B"}},
        {entry(40010, 4, "A") + entry(40011, 1, "B"), {40010}, {msg + "40011\nParameter: B"}},
        {entry(40011, 1, "B") + entry(40010, 4, "A"), {40011}, {msg + "40010\nParameter: A"}},
        {entry(40001, 2, "A") + entry(40003, 1, "B"), {40001, 40003}, {}},
        {entry(40001, 1, "A", 1) + entry(40002, 1, "B"), {40001}, {msg + "40002\nParameter: B"}},
        // The same number conflicts even when a register occupies nothing.
        {entry(40001, 0, "A") + entry(40001, 0, "B"), {40001}, {msg + "40001\nParameter: B"}},
        {entry(40001, 0, "A") + entry(40000, 3, "B"), {40001, 40000}, {}},
        {entry(40005, 1, "A") + "40005 0 1 4 0 0 F:0\n\n\n\n",
         {40005},
         {msg + "40005\nParameter: "}},
    };
    for (const auto& r : rows) {
        scripted_ui ui;
        auto map = loaded(modbus_head + r.entries, ui);
        ASSERT_TRUE(map);
        EXPECT_EQ(numbers_of(*map), r.kept) << r.entries;
        EXPECT_EQ(ui.texts(), r.messages) << r.entries;
    }
}

TEST(ZrpFile, AddRegisterKeepsARejectedRegisterWithTheCaller) {
    zrp_file map(1);
    auto first = std::make_unique<host_register>(&map, 40001);
    first->whole_count = 2;
    EXPECT_EQ(map.add_register(std::move(first)), 0);
    auto second = std::make_unique<host_register>(&map, 40002);
    EXPECT_EQ(map.add_register(std::move(second)), -1);
    ASSERT_TRUE(second);
    second->register_number = 40003;
    EXPECT_EQ(map.add_register(std::move(second)), 1);
    EXPECT_TRUE(map.overlaps(40002, 1));
    EXPECT_FALSE(map.overlaps(40002, 1, map.registers[0].get()));
}

TEST(ZrpFile, NextFreeRegisterFollowsListOrderAndBases) {
    struct row {
        int protocol;
        std::vector<std::pair<int, int>> regs; // number, width
        int input, output;
    };
    const row rows[] = {
        {11, {}, 40001, 41025},
        {11, {{40001, 1}, {41025, 1}}, 40002, 41026},
        {11, {{41025, 1}, {40001, 1}}, 40001, 41025},
        {11, {{40001, 2}, {40003, 1}}, 40004, 41025},
        {1, {}, 40001, 40001},
        {1, {{40005, 2}, {40001, 1}}, 40002, 40002},
        {1, {{40001, 1}, {40005, 2}}, 40007, 40007},
        {3, {}, 0, 0},
        {2, {{10, 2}}, 12, 12},
        {9, {{0, 1}, {1024, 1}}, 1, 1025},
        {9, {{1020, 10}}, 0, 1030},
    };
    for (const auto& r : rows) {
        zrp_file map(r.protocol);
        for (auto [number, width] : r.regs) {
            auto reg = std::make_unique<host_register>(&map, number);
            reg->whole_count = width;
            ASSERT_GE(map.add_register(std::move(reg)), 0);
        }
        EXPECT_EQ(map.next_free_register(0), r.input) << "protocol " << r.protocol;
        EXPECT_EQ(map.next_free_register(1), r.output) << "protocol " << r.protocol;
    }
}

TEST(ZrpFile, NewRegisterInAnEmptyModbusMapStartsAt40001) {
    zrp_file map(1);
    host_register reg(&map);
    EXPECT_EQ(reg.register_number, 40001);
    EXPECT_EQ(reg.whole_count, 1);
    EXPECT_EQ(reg.format, 0);
    zrp_file siemens(3);
    EXPECT_EQ(host_register(&siemens).register_number, 0);
}

// A load must give exactly what adding the entries one by one gives, where an entry without a
// register number takes next_free_register(0) of the list built so far.
TEST(ZrpFile, LoadMatchesTheOneByOneRuleOnRandomMaps) {
    std::mt19937 rng(12345);
    const std::string heads[] = {
        map_head("Modbus"), map_head("Modbus+", "MBPLUS 0 0 0\n"),
        map_head("Profibus", "PROFIBUS 0 0 0\n"),
        map_head("DeviceNet", "DEVICENET 0 0\nINPUT_BLOCK 0/40\nOUTPUT_BLOCK 0/16\n"),
        map_head("Ethernet/IP", "ETHIP 0.0.0.0 0.0.0.0 0.0.0.0 0 0\nINPUT_BLOCK 5/3\n")};
    for (const auto& head : heads) {
        for (int round = 0; round < 40; ++round) {
            scripted_ui ui;
            auto expected = loaded(head, ui);
            ASSERT_TRUE(expected);
            std::vector<std::string> expected_messages;
            std::string text = head;
            const int base = expected->header->input_base();
            const int count = 1 + static_cast<int>(rng() % 60);
            for (int i = 0; i < count; ++i) {
                auto reg = std::make_unique<host_register>(expected.get(), 0);
                if (rng() % 4 == 0) {
                    text += "garbage\n";
                    reg->register_number = expected->next_free_register(0);
                } else {
                    reg->register_number = base + static_cast<int>(rng() % 1100);
                    reg->whole_count = static_cast<int>(rng() % 4);
                    reg->fraction_count = static_cast<int>(rng() % 2);
                    text += std::to_string(reg->register_number) + " " +
                            std::to_string(reg->fraction_count) + " " +
                            std::to_string(reg->whole_count) + " 0 0 0 F:0 P\n";
                    reg->name = "P";
                }
                const int number = reg->register_number;
                const std::string name = reg->name;
                if (expected->add_register(std::move(reg)) < 0)
                    expected_messages.push_back("Conflicting Register Ignored\nRegister Num: " +
                                                std::to_string(number) + "\nParameter: " + name);
            }
            const std::size_t before = ui.events.size();
            auto map = loaded(text, ui);
            ASSERT_TRUE(map);
            EXPECT_EQ(numbers_of(*map), numbers_of(*expected)) << text;
            std::vector<std::string> messages = ui.texts();
            messages.erase(messages.begin(), messages.begin() + static_cast<long>(before));
            EXPECT_EQ(messages, expected_messages);
        }
    }
}

TEST(ZrpFile, SortIsStableAndReportsMovement) {
    auto map = loaded(modbus_head + entry(40003, 1, "A") + entry(40001, 1, "B") +
                      "40002 0 0 0 0 0 F:0 C\n" + entry(40002, 0, "D"));
    ASSERT_TRUE(map);
    // D has the same number as C and is rejected; sort orders the rest.
    EXPECT_TRUE(map->sort_registers());
    EXPECT_EQ(numbers_of(*map), (std::vector<int>{40001, 40002, 40003}));
    EXPECT_FALSE(map->sort_registers());

    zrp_file same(1);
    for (const char* name : {"first", "second"}) {
        auto reg = std::make_unique<host_register>(&same, 5);
        reg->name = name;
        same.registers.push_back(std::move(reg)); // equal numbers, as an edit can leave them
    }
    auto reg = std::make_unique<host_register>(&same, 1);
    same.registers.push_back(std::move(reg));
    EXPECT_TRUE(same.sort_registers());
    EXPECT_EQ(same.registers[1]->name, "first");
    EXPECT_EQ(same.registers[2]->name, "second");
}

TEST(ZrpFile, DeleteRemovesExactlyTheSelectedRegisters) {
    std::string entries;
    for (int i = 0; i < 8; ++i)
        entries += entry(40001 + i, 1, "P" + std::to_string(i));
    auto map = loaded(modbus_head + entries);
    ASSERT_TRUE(map);
    map->delete_registers({6, 1, 3, 99, -1, 3});
    EXPECT_EQ(numbers_of(*map), (std::vector<int>{40001, 40003, 40005, 40006, 40008}));
    EXPECT_EQ(map->delete_register(5), 0);
    EXPECT_EQ(map->delete_register(0), 1);
    EXPECT_EQ(numbers_of(*map), (std::vector<int>{40003, 40005, 40006, 40008}));
    EXPECT_EQ(map->register_at(4), nullptr);
}

TEST(ZrpFile, HostSelectionKeepsOrReplacesTheHeader) {
    struct row {
        int position;
        std::string device;
        int result;
        bool replaced;
        int protocol, device_code;
        std::size_t settings_dialogs;
    };
    const row rows[] = {
        {4, "RDX", 1, false, 10, 1, 0}, // same protocol and device
        {4, "HQP", 1, true, 10, 3, 1},  // device changed
        {1, "RDX", 1, true, 1, 1, 1},   // protocol changed
        {9, "BLF", 1, true, 0, 0, 1},   // position 9: generic
        {12, "WNT", 1, true, 0, 2, 1},  // above 9: generic
        {4, "XYZ", 1, true, 10, 3, 1},  // any other word: "HQP"
    };
    for (const auto& r : rows) {
        auto map = loaded("RDX Modbus/TCP protocol\nPLC_CHAN 9600 RTU 8 NOPARITY 1STOPBIT "
                          "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 7\n"
                          "MBTCP 10.0.0.1 255.0.0.0 0.0.0.0\nHREG\n" +
                          entry(40001, 1, "Massflow"));
        ASSERT_TRUE(map);
        scripted_dialogs d;
        scripted_ui ui;
        map_editor editor(*map);
        dialog_view view(editor, d, ui);
        d.on_host = [&](host_selection_values& v) {
            v.protocol_position = r.position;
            v.device_word = r.device;
        };
        d.settings_result = 2; // a new header's settings dialog is cancelled
        const map_editor::header_change change = view.select_protocol();
        ASSERT_EQ(d.host_shown.size(), 1u);
        EXPECT_EQ(d.host_shown[0].protocol_position, 4);
        EXPECT_EQ(d.host_shown[0].device_word, "RDX");
        EXPECT_EQ(change.replaced, r.replaced);
        EXPECT_EQ(change.accepted, !r.replaced);
        EXPECT_EQ(map->protocol_code, r.protocol);
        EXPECT_EQ(map->header->device_code, r.device_code);
        EXPECT_EQ(d.settings_shown.size(), r.settings_dialogs);
        EXPECT_EQ(map->header->node == 7, !r.replaced) << r.position << r.device;
        EXPECT_EQ(network_protocol_flag, !(r.protocol >= 1 && r.protocol <= 3));
        EXPECT_EQ(map->register_count(), 1);
    }
}

TEST(ZrpFile, CancelledHostSelectionChangesNothing) {
    zrp_file map(1);
    map.header->node = 9;
    scripted_dialogs d;
    scripted_ui ui;
    map_editor editor(map);
    dialog_view view(editor, d, ui);
    d.host_result = 2;
    d.on_host = [](host_selection_values& v) { v.protocol_position = 4; };
    const map_editor::header_change change = view.select_protocol();
    EXPECT_FALSE(change.accepted || change.replaced);
    EXPECT_EQ(map.protocol_code, 1);
    EXPECT_EQ(map.header->node, 9);
    EXPECT_TRUE(d.settings_shown.empty());
    EXPECT_FALSE(editor.history().can_undo());
}

TEST(ZrpFile, LoadSetsTheNetworkProtocolFlag) {
    ASSERT_TRUE(loaded(modbus_head));
    EXPECT_FALSE(network_protocol_flag);
    ASSERT_TRUE(loaded(map_head("Profibus", "PROFIBUS 0 0 0\n")));
    EXPECT_TRUE(network_protocol_flag);
    ASSERT_TRUE(loaded(map_head("Allen-Bradley")));
    EXPECT_FALSE(network_protocol_flag);
}
