#include "model/host_selection.h"
#include "model/model_tables.h"

#include <gtest/gtest.h>

TEST(ModelTables, WordsAndCodesBothWays) {
    struct row {
        const word_table& table;
        std::string word;
        int code;
        std::string written; // word written back for code
    };
    const row rows[] = {
        {device_words(), "HQP", 3, "HQP"},
        {device_words(), "hqp", 0, "BLF"},
        {protocol_words(), "Modbus+", 11, "Modbus+"},
        {protocol_words(), "Generic", 0, "Generic protocol"},
        {baud_words(), "57600", 3, "57600"},
        {baud_words(), "115200", 1, "19200"},
        {mode_words(), "CRC", 3, "CRC"},
        {parity_words(), "ODD_PARITY", 2, "ODD_PARITY"},
        {stop_bits_words(), "2STOPBITS", 1, "2STOPBITS"},
        {byte_order_words(), "LSBYTE_FIRST", 1, "LSBYTE_FIRST"},
        {command_value_words(), "XOT", 5, "XOT"},
        {command_value_words(), "hit", 0, "OFF"},
        {negative_words(), "FORCE_0", 3, "FORCE_0"},
        {format_names(), "STATUS_VAL", 10, "STATUS_VAL"},
        {format_labels(), "IntArray(pass thru)", 11, "IntArray(pass thru)"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.table.code(r.word), r.code) << r.word;
        EXPECT_EQ(r.table.word_or_default(r.code), r.written) << r.word;
    }
    EXPECT_EQ(command_value_words().word(7), "XOT");
    EXPECT_FALSE(command_value_words().word(6));
    EXPECT_EQ(negative_words().word(1), "SIGNED");
    EXPECT_EQ(baud_words().word_or_default(9), "19200");
}

TEST(ModelTables, StatusMnemonicsDependOnTheDevice) {
    struct row {
        int device, code;
        std::string mnemonic;
    };
    const row rows[] = {{1, 3, "FAS"},   {3, 3, "PSW3"}, {0, 4, "SYS"},   {1, 4, "PSW7"},
                        {1, 9, "PSW0"},  {3, 9, "ASW4"}, {2, 12, "ASW7"}, {1, 15, "PSW6"},
                        {3, 15, "PSW2"}, {0, 13, ""},    {255, 4, "SYS"}, {1, 16, ""}};
    for (const auto& r : rows) {
        EXPECT_EQ(status_mnemonic(r.device, r.code), r.mnemonic) << r.device << "/" << r.code;
        if (!r.mnemonic.empty()) {
            EXPECT_EQ(status_code(r.device, r.mnemonic), r.code);
        }
    }
    EXPECT_EQ(status_code(1, "SYS"), 0);
    EXPECT_EQ(status_code(3, "PSW5"), 0);
    EXPECT_EQ(status_code(0, ""), 0);
}

TEST(ModelTables, SelectionPositionsAndDeviceWords) {
    const int codes[] = {2, 1, 3, 9, 10, 11, 12, 13, 14, 0, 0};
    for (int p = 0; p <= 10; ++p) {
        EXPECT_EQ(protocol_code_for_position(p), codes[p]);
        if (p < 9) {
            EXPECT_EQ(position_for_protocol_code(codes[p]), p);
        }
    }
    EXPECT_EQ(protocol_code_for_position(-1), 0);
    EXPECT_EQ(position_for_protocol_code(0), 0);
    EXPECT_EQ(position_for_protocol_code(5), 0);
    EXPECT_EQ(device_code_for_selection_word("WNT"), 2);
    EXPECT_EQ(device_code_for_selection_word("BLF"), 0);
    EXPECT_EQ(device_code_for_selection_word("blf"), 3);
    EXPECT_EQ(selection_word_for_device_code(3), "HQP");
    EXPECT_EQ(selection_word_for_device_code(7), "BLF");
    EXPECT_TRUE(is_array_parameter("AlarmStat"));
    EXPECT_TRUE(is_string_parameter("HcuAlarmName"));
    EXPECT_TRUE(is_status_word_parameter("AlarmStatus5"));
    EXPECT_FALSE(is_status_word_parameter("AlarmStatus8"));
}

TEST(HostSelection, DeviceRuleAdjustsThePositionAndButtons) {
    struct row {
        std::string device;
        int position, adjusted;
        std::string enabled; // positions 0..8
    };
    const row rows[] = {
        {"WNT", 5, 0, "111000000"}, {"WNT", 2, 2, "111000000"}, {"WNT", -1, -1, "111000000"},
        {"RDX", 2, 0, "110111111"}, {"HQP", 8, 8, "110111111"}, {"BLF", 8, 0, "111111110"},
        {"BLF", 7, 7, "111111110"}, {"", 2, 2, "111111110"},
    };
    for (const auto& r : rows) {
        int position = r.position;
        const auto enabled = apply_host_device_rule(position, r.device);
        EXPECT_EQ(position, r.adjusted) << r.device << r.position;
        std::string flags;
        for (bool e : enabled)
            flags += e ? '1' : '0';
        EXPECT_EQ(flags, r.enabled) << r.device;
    }
}
