#include "test_maps.h"
#include "test_model_support.h"

#include "model/csv_reader.h"
#include "model/register_table.h"
#include "model/register_table_reader.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace model_test;

namespace {

const std::string modbus_head = "RDX Modbus protocol\n"
                                "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                                "REGMAX 65535\nNODENUM 0\nHREG\n";

const std::string header_row =
    "Register,Feeder,Parameter,Format,Fractional words,Whole words,Word order,Negative,Swap,"
    "Maximum,Minimum,Scale,Decimal shift,ROM constant,Bit 15,Bit 14,Bit 13,Bit 12,Bit 11,"
    "Bit 10,Bit 9,Bit 8,Bit 7,Bit 6,Bit 5,Bit 4,Bit 3,Bit 2,Bit 1,Bit 0\r\n";

// The saved text of map after importing table into it; the import's messages go to ui.
std::string imported(const std::string& map_text, const std::string& table,
                     std::string* error = nullptr) {
    auto map = loaded(map_text);
    if (!map)
        return "(map not loaded)";
    auto failure = import_register_table(table, *map);
    if (failure && error != nullptr)
        *error = failure->message();
    return text_of(*map);
}

std::string commas(int n) {
    return std::string(static_cast<std::size_t>(n), ',');
}

// n cells of the same text, each followed by a comma.
std::string cells(const std::string& cell, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += cell + ",";
    return out;
}

} // namespace

TEST(RegisterTable, ExportWritesTheCellsAsTheMapFileDoes) {
    auto map = loaded("RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                      "REGMAX 65535\nNODENUM 0\nHREG\n"
                      "40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0.5 0.001\n"
                      "40002 1 2 0 6 2 F:0 Mass,\"flow\"\n"
                      "40005 0 1 2 0 3 F:2 Setpoint -3\n"
                      "40006 0 1 5 0 0 F:0 ROMConstant 42\n"
                      "40007 0 1 3 0 0 F:0\n" +
                      sixteen("F:0").substr(4) + "F:1\n" + sixteen("XXXX").substr(5) + "CRUN\n" +
                      sixteen("OFF").substr(4) + "HIT\n" + "40008 0 1 4 0 0 F:0\n" +
                      sixteen("F:0").substr(4) + "F:3\n" + sixteen("XXX").substr(4) + "ASR\n" +
                      sixteen("0").substr(2) + "7\n" +
                      "40009 0 4 9 0 2 F:0 FeederName\n"
                      "40013 0 8 0 3 1 F:0 ProcStat\n"
                      "40021 0 1 13 0 0 F:0 Odd\n");
    ASSERT_TRUE(map);
    EXPECT_EQ(export_register_table(*map),
              header_row +
                  "40001,1,FdrPercentOfLine,INT_NUMERIC,0,1,NORMAL,SIGNED,NO_SWAP,100,0.5,0.001" +
                  commas(18) + "\r\n" +
                  "40002,0,\"Mass,\"\"flow\"\"\",INT_PASSTHRU,1,2,REVERSED,UNSIGNED,NO_SWAP" +
                  commas(21) + "\r\n" +
                  "40005,2,Setpoint,INT_DEC_SHIFT,0,1,NORMAL,FORCE_0,NO_SWAP,,,,-3" + commas(17) +
                  "\r\n" + "40006,0,,ROM_CONSTANT,0,1,NORMAL,SIGNED,NO_SWAP,,,,,42" + commas(16) +
                  "\r\n" + "40007,0,,COMMANDS,0,1,NORMAL,SIGNED,NO_SWAP,,,,,," +
                  cells("F:0 XXXX OFF", 15) + "F:1 CRUN HIT\r\n" +
                  "40008,0,,STATUS,0,1,NORMAL,SIGNED,NO_SWAP,,,,,," + cells("F:0 XXX 0", 15) +
                  "F:3 ASR 7\r\n" +
                  "40009,0,FeederName,STRING_VAL,0,4,NORMAL,UNSIGNED,STRING_SWAP" + commas(21) +
                  "\r\n" +
                  // Codes without a word of their own are written as their numbers.
                  "40013,0,ProcStat,INT_ARRAY,0,8,3,1,NO_SWAP" + commas(21) + "\r\n" +
                  "40021,0,Odd,13,0,1,NORMAL,SIGNED,NO_SWAP" + commas(21) + "\r\n");
}

TEST(RegisterTable, ImportOfTheExportGivesTheSavedTextForEveryProtocolAndFormat) {
    for (const char* device : {"BLF", "RDX", "WNT", "HQP"})
        for (const std::string& head : headers_of_every_protocol(device)) {
            auto map = loaded(head + entries_of_every_format());
            ASSERT_TRUE(map) << head;
            const std::string saved = text_of(*map);
            const std::string table = export_register_table(*map);
            // Into the map itself, and into a map that holds other registers; with the line
            // ends of any spreadsheet program (CR LF, LF, CR alone) and a stray CR before the
            // line feed.
            EXPECT_EQ(imported(saved, table), saved) << head;
            EXPECT_EQ(imported(head + "99 0 1 0 0 0 F:0 Gone\n", table), saved) << head;
            for (const char* line_end : {"\n", "\r", "\r\r\n"}) {
                std::string other = table;
                for (auto at = other.find("\r\n"); at != std::string::npos;
                     at = other.find("\r\n", at + std::strlen(line_end)))
                    other.replace(at, 2, line_end);
                EXPECT_EQ(imported(saved, other), saved)
                    << head << testing::PrintToString(line_end);
            }
        }
}

TEST(RegisterTable, ImportOfTheExportGivesTheSavedTextForRandomMaps) {
    random_map_text maps(2024);
    for (int round = 0; round < 400; ++round) {
        scripted_ui ui;
        scoped_ui use(ui);
        const std::string text = maps.next();
        auto map = loaded(text);
        ASSERT_TRUE(map) << text;
        const std::string saved = text_of(*map);
        const std::string table = export_register_table(*map);
        std::string error;
        EXPECT_EQ(imported(saved, table, &error), saved) << text << table;
        EXPECT_EQ(error, "");
    }
}

TEST(RegisterTable, TableEditedInASpreadsheetImports) {
    struct row {
        const char* what;
        std::string table;
        std::string registers;
    };
    const row rows[] = {
        {"reordered columns, an unknown column, LF line ends, no bit columns",
         "Format,Notes,Parameter,Register,Maximum,Minimum,Scale\n"
         "INT_NUMERIC,from the plan,Massflow,40001,150,0,2.5\n"
         "INT_PASSTHRU,,Setpoint,40002\n",
         "40001 0 1 1 0 0 F:0 Massflow 150 0 2.5\n40002 0 1 0 0 0 F:0 Setpoint\n"},
        {"an added row, a byte-order mark, an empty row, blanks around cells",
         "\xEF\xBB\xBFRegister,Format,Parameter,Word order,Negative,Whole words\r\n"
         "40001 , INT_PASSTHRU , Massflow ,REVERSED,UNSIGNED,2\r\n,,,,,\r\n"
         "40003,IEEE_FLOAT,Setpoint,6,1,2\r\n",
         "40001 0 2 0 6 2 F:0 Massflow\n40003 0 2 7 6 1 F:0 Setpoint\n"},
        {"bit cells, quoted fields holding commas, quotes and a line break",
         "Register,Format,Bit 0,Bit 15,Comment\n"
         "41025,COMMANDS,F:2 CRUN HIT,\"F:1 C,\"\"A LOT\",\"two\nlines\"\n"
         "41026,STATUS,F:0 PSR 3\n",
         "41025 0 1 3 0 0 F:0\nF:1 " + sixteen("F:0").substr(8) + "F:2 \nC,\"A " +
             sixteen("XXXX").substr(10) + "CRUN \nLOT " + sixteen("OFF").substr(8) +
             "HIT \n41026 0 1 4 0 0 F:0\n" + sixteen("F:0") + "\n" + sixteen("XXX").substr(4) +
             "PSR \n" + sixteen("0").substr(2) + "3 \n"},
        {"array parameters and names longer than the reader keeps",
         "Register,Format,Parameter\n40001,INT_ARRAY,ProcStat\n40002,INT_NUMERIC,AlarmStat\n"
         "40003,INT_ARRAY,Other\n40004,INT_PASSTHRU,AParameterNameOf25Chars12\n",
         "40001 0 1 0 0 0 F:0 ProcStat\n40002 0 1 0 0 0 F:0 AlarmStat\n"
         "40003 0 1 11 0 0 F:0 Other\n40004 0 1 0 0 0 F:0 AParameterNameOf25C\n"},
    };
    for (const auto& r : rows) {
        std::string error;
        EXPECT_EQ(imported(modbus_head + "40001 0 1 0 0 0 F:0 Old\n", r.table, &error),
                  modbus_head + r.registers)
            << r.what;
        EXPECT_EQ(error, "") << r.what;
    }
}

TEST(RegisterTable, AConflictingRowIsReportedAsALoadReportsItAndLeftOut) {
    scripted_ui ui;
    scoped_ui use(ui);
    const std::string table = "Register,Format,Parameter,Whole words\n40001,INT_PASSTHRU,A,2\n"
                              "40002,INT_PASSTHRU,B,1\n40003,INT_PASSTHRU,C,1\n"
                              "40003,STATUS,,1\n";
    EXPECT_EQ(imported(modbus_head, table),
              modbus_head + "40001 0 2 0 0 0 F:0 A\n40003 0 1 0 0 0 F:0 C\n");
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Conflicting Register Ignored\nRegister Num: 40002\n"
                                        "Parameter: B",
                                        "Conflicting Register Ignored\nRegister Num: 40003\n"
                                        "Parameter: "}));
}

TEST(RegisterTable, ACellThatDoesNotParseIsAnErrorNamingRowAndColumn) {
    struct row {
        std::string table;
        std::string message;
    };
    const std::string head = "Register,Format,Parameter,Feeder,Maximum,Word order,Negative,"
                             "Bit 3\n40001,INT_PASSTHRU,Good\n";
    const row rows[] = {
        {head + "40002,INT_NUMERC,Massflow\n",
         "Row 3, column Format: \"INT_NUMERC\" is not a register format name or number"},
        {head + "40002,INT_NUMERIC,Massflow,1,high\n",
         "Row 3, column Maximum: \"high\" is not a number"},
        {head + "40002,INT_PASSTHRU,Massflow,one\n",
         "Row 3, column Feeder: \"one\" is not a whole number"},
        {head + "4000x,INT_PASSTHRU\n", "Row 3, column Register: \"4000x\" is not a whole number"},
        {head + "99999999999,INT_PASSTHRU\n",
         "Row 3, column Register: \"99999999999\" is not a whole number"},
        {head + ",INT_PASSTHRU\n", "Row 3, column Register: the cell is empty"},
        {head + "40002,,X\n", "Row 3, column Format: the cell is empty"},
        {head + "40002,INT_PASSTHRU,X,,,normal\n",
         "Row 3, column Word order: \"normal\" is not NORMAL, REVERSED or a number"},
        {head + "40002,INT_PASSTHRU,X,,,,NEGATIVE\n",
         "Row 3, column Negative: \"NEGATIVE\" is not SIGNED, UNSIGNED, FORCE_0 or a number"},
        {head + "40002,INT_PASSTHRU,Mass flow\n",
         "Row 3, column Parameter: \"Mass flow\" is not one word"},
        {head + "40002,INT_PASSTHRU,MyHREG\n",
         "Row 3, column Parameter: \"MyHREG\" holds \"HREG\", which a map file cannot hold in a "
         "register entry"},
        {head + "40002,COMMANDS,,,,,,F:0 CRUN ON\n",
         "Row 3, column Bit 3: \"ON\" is not a command value (OFF, HI, LO, HIT, LOT or XOT)"},
        {head + "40002,COMMANDS,,,,,,F:0 CRUN\n",
         "Row 3, column Bit 3: \"F:0 CRUN\" is not \"F:<feeder> <mnemonic> <value>\""},
        // "SYS" belongs to the BLF and WNT tables, not to RDX's.
        {head + "40002,STATUS,,,,,,F:0 SYS 1\n",
         "Row 3, column Bit 3: \"SYS\" is not a status mnemonic of RDX"},
        {head + "40002,STATUS,,,,,,G:0 PSR 1\n",
         "Row 3, column Bit 3: \"G:0 PSR 1\" is not \"F:<feeder> <mnemonic> <bit>\""},
        {head + "40002,STATUS,,,,,,F:0 PSR -1\n",
         "Row 3, column Bit 3: \"-1\" is not a bit position"},
        {head + "40002,INT_PASSTHRU,\"Mass\n",
         "Row 3, column Parameter: a quoted field is not closed"},
        {head + "40002,\"INT\"X,A\n",
         "Row 3, column Format: text follows the closing quote of a field"},
        {"Format,Parameter\nINT_PASSTHRU,A\n", "Header row: the table has no Register column"},
        {"Register,Parameter\n40001,A\n", "Header row: the table has no Format column"},
        {"Register,Format,Register\n", "Header row, column Register: the column appears twice"},
        {"", "Header row: the table has no header row"},
        {std::string("\x00\xff\x01,\"", 5), "Header row: a quoted field is not closed"},
    };
    for (const auto& r : rows) {
        std::string error;
        const std::string before = modbus_head + "40001 0 1 0 0 0 F:0 Old\n";
        EXPECT_EQ(imported(before, r.table, &error), before) << r.table;
        EXPECT_EQ(error, r.message) << r.table;
    }
}

TEST(RegisterTable, CsvRecordsSplitAsSpreadsheetsWriteThem) {
    struct row {
        std::string text;
        std::vector<std::vector<std::string>> records;
    };
    const row rows[] = {
        {"a,b\r\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"a,\"b,c\"\r\n\"\",\"x\"\"y\"", {{"a", "b,c"}, {"", "x\"y"}}},
        {"\"line\r\nbreak\",z\n\n", {{"line\r\nbreak", "z"}, {""}}},
        {"a\"b,c\rd\n", {{"a\"b", "c"}, {"d"}}},
        {"a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}},
        {"\"x\ry\"\r\rz", {{"x\ry"}, {""}, {"z"}}},
        {",\n", {{"", ""}}},
    };
    for (const auto& r : rows) {
        csv_reader reader(r.text);
        std::vector<std::vector<std::string>> records;
        std::vector<std::string> fields;
        while (reader.next(fields))
            records.push_back(fields);
        EXPECT_EQ(reader.error(), "");
        EXPECT_EQ(records, r.records) << r.text;
    }
}
