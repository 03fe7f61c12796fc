// Which registers a saved file cannot hold as they are, checked against what saving and
// reading back really does.

#include "tests/model/test_model_support.h"

#include "format/name_loss.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <gtest/gtest.h>

using namespace model_test;

namespace {

const std::string head = "RDX Modbus protocol\n"
                         "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                         "REGMAX 65535\nNODENUM 0\nHREG\n";

} // namespace

// The predicate must say "lost" exactly when a save, a load of the saved text and a second
// save do not give the same text.
TEST(NameLoss, TellsExactlyWhichRegistersDoNotSurviveASave) {
    struct row {
        const char* what;
        int format;
        std::string name;
        std::string mnemonic; // bit 15 of a command register
        bool lost;
    };
    const row rows[] = {
        {"numeric, named", fmt_int_numeric, "Massflow", "", false},
        {"numeric, no name", fmt_int_numeric, "", "", true},
        {"decimal shift, no name", fmt_int_dec_shift, "", "", true},
        {"pass-through, no name", fmt_int_passthru, "", "", false},
        {"string value, no name", fmt_string_val, "", "", false},
        {"ROM constant keeps no name", fmt_rom_constant, "Ignored name", "", false},
        {"name with a blank", fmt_int_numeric, "Mass flow", "", true},
        {"name with a leading blank", fmt_int_passthru, " Mass", "", true},
        {"name with a tab", fmt_ieee_float, "Mass\tflow", "", true},
        {"name with a line feed", fmt_int_passthru, "Mass\nflow", "", true},
        {"name of 19 characters", fmt_int_passthru, std::string(19, 'n'), "", false},
        {"name of 20 characters", fmt_int_passthru, std::string(20, 'n'), "", true},
        {"name holding HREG", fmt_int_passthru, "xHREGx", "", true},
        {"array parameter", fmt_int_array, "ProcStat", "", false},
        {"command mnemonic", fmt_commands, "", "CTAR", false},
        {"command mnemonic with a blank", fmt_commands, "", "C A", true},
        {"command mnemonic of 5 characters", fmt_commands, "", "CTARX", true},
        {"format above the table, no name", 14, "", "", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        auto map = loaded(head);
        ASSERT_TRUE(map);
        auto reg = std::make_unique<host_register>(map.get(), 40001);
        reg->format = r.format;
        reg->name = r.name;
        reg->maximum = 250;
        reg->minimum = 2;
        reg->scale = 3;
        reg->decimal_shift = 4;
        if (!r.mnemonic.empty())
            reg->commands[15].mnemonic = r.mnemonic;
        EXPECT_EQ(loses_name_on_save(*reg), r.lost);
        EXPECT_EQ(name_loss_on_save(*reg).empty(), !r.lost);
        ASSERT_EQ(map->add_register(std::move(reg)), 0);

        const std::string saved = text_of(*map);
        auto again = loaded(saved);
        ASSERT_TRUE(again);
        EXPECT_EQ(text_of(*again) != saved, r.lost) << saved;
    }
}

// The register of the reported file: written as it always was, read back as another.
TEST(NameLoss, AnUnnamedNumericRegisterIsWrittenAsBeforeAndReported) {
    auto map = loaded(head + "40001 0 1 1 0 0 F:0\n");
    ASSERT_TRUE(map);
    ASSERT_EQ(map->register_count(), 1);
    EXPECT_EQ(text_of(*map), head + "40001 0 1 1 0 0 F:0  100 0 1\n");
    EXPECT_EQ(name_loss_on_save(*map->register_at(0)),
              "the parameter name is empty: the first value would be read as the name");
}
