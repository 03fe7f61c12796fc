// Registers on the clipboard: the entries Copy writes, what Paste reads from a text (the
// map's own entries, a map file's text, words that are no register), where the pasted
// registers go (their own numbers, the next free number, left out), status codes between
// devices, and the message at the end.

#include "edit/map_editor.h"
#include "edit/register_clipboard.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"
#include "tests/model/test_maps.h"
#include "tests/model/test_model_support.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

namespace {

using model_test::numbers;
using model_test::sixteen;
using model_test::text_of;

const std::string plc = "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                        "REGMAX 65535\nNODENUM 1\n";

std::string entry(int number, int whole = 1, const char* name = "Massflow") {
    return std::to_string(number) + " 0 " + std::to_string(whole) + " 0 0 0 F:1 " + name + "\n";
}

// A bitmapped status entry whose bit 15 reads mnemonic (the other bits unused).
std::string status_entry(int number, const std::string& mnemonic) {
    return std::to_string(number) + " 0 1 4 0 0 F:0\n" + sixteen("F:2") + "\n" + mnemonic + " " +
           sixteen("XXX").substr(4) + "\n" + "5 " + sixteen("0").substr(2) + "\n";
}

std::string command_entry(int number) {
    return std::to_string(number) + " 0 1 3 0 0 F:0\n" + sixteen("F:3") + "\nCTAR " +
           sixteen("XXXX").substr(5) + "\nHIT " + sixteen("OFF").substr(4) + "\n";
}

// The messages a paste's report makes: none for an empty report.
std::vector<std::string> shown(const std::string& report) {
    if (report.empty())
        return {};
    return {report};
}

class Paste : public ::testing::Test {
  protected:
    std::unique_ptr<zrp_file> map_of(const std::string& text) {
        auto map = model_test::loaded(text);
        EXPECT_TRUE(map);
        return map;
    }
    scripted_ui ui;
};

TEST_F(Paste, RegistersKeepFreeNumbersAndTakeTheNextFreeOne) {
    const std::string modbus =
        "RDX Modbus protocol\n" + plc + "HREG\n" + entry(40001) + entry(40002, 2) + entry(40010);
    const std::string mbplus =
        "RDX Modbus+ protocol\n" + plc + "MBPLUS 1 2 3\nHREG\n" + entry(40001, 1024) + entry(41025);
    struct case_t {
        const char* what;
        std::string map;
        std::string pasted;
        std::vector<int> numbers;
        std::vector<int> rows;
        int kept, renumbered, left_out;
    };
    const case_t cases[] = {
        {"free numbers are kept",
         modbus,
         entry(40004) + entry(40020, 1, "Setpoint"),
         {40001, 40002, 40004, 40010, 40020},
         {2, 4},
         2,
         0,
         0},
        {"a colliding number, and a number inside another's range, take the next free ones",
         modbus,
         entry(40001, 1, "A") + entry(40003, 2, "B"),
         {40001, 40002, 40010, 40011, 40012},
         {3, 4},
         0,
         2,
         0},
        {"a register pasted earlier is seen by the next one",
         modbus,
         entry(40005) + entry(40005),
         {40001, 40002, 40005, 40010, 40011},
         {2, 4},
         1,
         1,
         0},
        {"a full input area leaves the register out; the output area has room",
         mbplus,
         entry(40001) + entry(41025),
         {40001, 41025, 41026},
         {2},
         0,
         1,
         1},
    };
    for (const case_t& c : cases) {
        ui.events.clear();
        auto map = map_of(c.map);
        map_editor editor(*map);
        const auto result = editor.paste(c.pasted);
        EXPECT_EQ(numbers(*map), c.numbers) << c.what;
        EXPECT_EQ(result.rows, c.rows) << c.what;
        EXPECT_EQ(result.pasted, c.kept + c.renumbered) << c.what;
        EXPECT_EQ(result.renumbered, c.renumbered) << c.what;
        EXPECT_EQ(result.left_out, c.left_out) << c.what;
        // One message for the caller to show, and only when something did not keep its
        // number.
        std::vector<std::string> message;
        if (c.renumbered + c.left_out > 0)
            message.push_back(
                "Registers pasted: " + std::to_string(result.pasted) +
                "\nRenumbered: " + std::to_string(c.renumbered) +
                "\nLeft out (no free register number): " + std::to_string(c.left_out));
        EXPECT_EQ(shown(result.report), message) << c.what;
        EXPECT_TRUE(ui.events.empty()) << c.what;
        EXPECT_EQ(editor.history().done(), result.pasted > 0 ? 1u : 0u) << c.what;
    }
}

TEST_F(Paste, WhatReadsAsRegisters) {
    const std::string map_file =
        "BLF Modbus protocol\n" + plc + "HREG\n" + entry(7) + status_entry(8, "SYS");
    struct case_t {
        const char* what;
        std::string text;
        std::vector<int> numbers;
    };
    const case_t cases[] = {
        {"entries as Copy writes them",
         entry(1) + command_entry(2) + status_entry(3, "PSR"),
         {1, 2, 3}},
        {"a map file's text: its header lines are passed over", map_file, {7, 8}},
        {"words around the entries, CRLF line ends",
         "Here are the registers:\r\n\r\n40001 0 1 0 0 0 F:1 Massflow\r\nRegards\r\n",
         {40001}},
        {"a bitmapped entry cut short ends the text", entry(1) + "2 0 1 4 0 0 F:0\nF:0 F:0\n", {1}},
        {"prose", "Dear John,\nthe map is attached.\n", {}},
        {"header lines only", "RDX Modbus protocol\n" + plc + "HREG\n", {}},
        {"a bit position line on its own", sixteen("0") + "\n", {}},
        {"binary bytes", std::string("\x00\x01\xff\xfe 1 2 3\n\x7f", 12), {}},
        {"an empty text", "", {}},
    };
    for (const case_t& c : cases) {
        const auto registers = read_clipboard_registers(c.text, device_rdx);
        std::vector<int> read;
        for (const auto& reg : registers)
            read.push_back(reg->register_number);
        EXPECT_EQ(read, c.numbers) << c.what;
        EXPECT_EQ(holds_registers(c.text), !c.numbers.empty()) << c.what;
    }
}

TEST_F(Paste, CopiedEntriesPasteAsTheyWere) {
    // Every format, copied and pasted into an empty map of the same device: the same text.
    const std::string source_text =
        "RDX Modbus protocol\n" + plc + "HREG\n" + model_test::entries_of_every_format();
    auto source = map_of(source_text);
    map_editor(*source).prepare_display(); // as the list shows it
    std::vector<int> all;
    for (int i = 0; i < source->register_count(); ++i)
        all.push_back(i);
    const int array_format = source->register_at(12)->format;
    const std::string copied = registers_text(*source, all);
    EXPECT_EQ(source->register_at(12)->format, array_format); // copies were written
    auto target = map_of("RDX Modbus protocol\n" + plc + "HREG\n");
    map_editor editor(*target);
    editor.paste(copied, device_rdx);
    EXPECT_EQ(registers_text(*target, all), copied);
    EXPECT_EQ(text_of(*target), text_of(*source));
    // Rows outside the list are ignored.
    EXPECT_EQ(registers_text(*source, {-1, 99}), "");
}

TEST_F(Paste, StatusCodesBetweenDevices) {
    const std::string note = ": status words were kept as codes.";
    struct case_t {
        const char* what;
        std::string text;
        int source_device;
        const char* target_mnemonic; // bit 15 as the RDX map writes it
        std::vector<std::string> messages;
    };
    const case_t cases[] = {
        {"from an HQP map: the code stays",
         status_entry(1, "PSW3") + status_entry(2, "PSW3"),
         device_hqp,
         "FAS",
         {"The registers come from a HQP map" + note}},
        {"from a BLF map",
         status_entry(1, "SYS"),
         device_blf,
         "PSW7",
         {"The registers come from a BLF map" + note}},
        {"from a map file's text, its device line says BLF",
         "BLF Modbus protocol\n" + plc + "HREG\n" + status_entry(1, "SYS"),
         -1,
         "PSW7",
         {"The registers come from a BLF map" + note}},
        {"the same device: nothing to say", status_entry(1, "FAS"), device_rdx, "FAS", {}},
        {"plain text is read as this map's own", status_entry(1, "SYS"), -1, "XXX", {}},
        {"no status register among them", entry(1), device_hqp, nullptr, {}},
    };
    for (const case_t& c : cases) {
        ui.events.clear();
        auto map = map_of("RDX Modbus protocol\n" + plc + "HREG\n");
        map_editor editor(*map);
        const auto result = editor.paste(c.text, c.source_device);
        ASSERT_GE(map->register_count(), 1) << c.what;
        EXPECT_EQ(result.codes_kept, !c.messages.empty()) << c.what;
        EXPECT_EQ(shown(result.report), c.messages) << c.what;
        if (c.target_mnemonic) {
            const std::string text = registers_text(*map, {0});
            const std::string mnemonics = text.substr(text.find('\n', text.find('\n') + 1) + 1);
            EXPECT_EQ(mnemonics.substr(0, mnemonics.find(' ')), c.target_mnemonic) << c.what;
        }
    }
}

TEST(RegisterClipboard, PrivateFormatAndEntryLines) {
    int device = -1;
    std::string text;
    EXPECT_TRUE(read_clipboard_payload(clipboard_payload(device_hqp, entry(5)), device, text));
    EXPECT_EQ(device, device_hqp);
    EXPECT_EQ(text, entry(5));
    for (const char* bad : {"", "HQP", "XYZ\n1 0 1 0 0 0 F:0\n", "hqp\n"})
        EXPECT_FALSE(read_clipboard_payload(bad, device, text)) << bad;

    struct case_t {
        const char* line;
        bool entry;
    };
    const case_t lines[] = {
        {"40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1", true},
        {"0x10 0 1 0 0 0 F:0", true},
        {"5 0 1 3 0 0 X 7", true},
        {"5 0 1 3 0 0 F:", false},
        {"5 0 1 3 0 F:0", false},
        {"5 0 1 3 0 0 7 7", false},
        {"PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST", false},
        {"F:0 F:0 F:0", false},
        {"", false},
    };
    for (const case_t& c : lines)
        EXPECT_EQ(is_register_entry_line(c.line), c.entry) << c.line;
}

TEST(RegisterClipboard, LocationOfAPastedNumber) {
    const auto headers = model_test::headers_of_every_protocol();
    struct case_t {
        std::size_t header; // index in headers_of_every_protocol
        int number;
        int location;
    };
    const case_t cases[] = {
        {1, 40001, 0}, {1, 45000, 0},                              // Modbus: one area
        {6, 40001, 0}, {6, 41025, 1},                              // Modbus+
        {4, 1023, 0},  {4, 1024, 1},                               // Profibus
        {7, 5, 0},     {7, 305, 5},   {7, 1027, 11}, {7, 2000, 0}, // DeviceNet blocks
    };
    for (const case_t& c : cases) {
        auto map = model_test::loaded(headers[c.header]);
        ASSERT_TRUE(map);
        EXPECT_EQ(register_location(*map, c.number), c.location)
            << headers[c.header].substr(0, 20) << c.number;
    }
}

} // namespace
