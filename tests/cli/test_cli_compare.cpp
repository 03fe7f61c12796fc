// tessaly-cli export-csv, import-csv, diff and check, run as a separate program in a scratch
// folder.

#include "tests/cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string head = "RDX Modbus protocol\n"
                         "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                         "REGMAX 65535\nNODENUM 0\nHREG\n";
const std::string map_text = head + "40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1\n"
                                    "40002 1 2 0 6 2 F:0 Mass,flow\n"
                                    "40005 0 1 2 0 0 F:2 Setpoint 3\n";
const std::string table_head =
    "Register,Feeder,Parameter,Format,Fractional words,Whole words,Word order,Negative,Swap,"
    "Maximum,Minimum,Scale,Decimal shift,ROM constant,Bit 15,Bit 14,Bit 13,Bit 12,Bit 11,"
    "Bit 10,Bit 9,Bit 8,Bit 7,Bit 6,Bit 5,Bit 4,Bit 3,Bit 2,Bit 1,Bit 0\r\n";
const std::string table =
    table_head + "40001,1,FdrPercentOfLine,INT_NUMERIC,0,1,NORMAL,SIGNED,NO_SWAP,100,0,1" +
    std::string(18, ',') + "\r\n" +
    "40002,0,\"Mass,flow\",INT_PASSTHRU,1,2,REVERSED,UNSIGNED,NO_SWAP" + std::string(21, ',') +
    "\r\n" + "40005,2,Setpoint,INT_DEC_SHIFT,0,1,NORMAL,SIGNED,NO_SWAP,,,,3" +
    std::string(17, ',') + "\r\n";
std::string open_failed(const std::string& path, const std::string& reason) {
    return "Unable to open the requested file\n" + path + ": " + reason + "\n";
}

// A run of tessaly-cli and what it must give: a usage error (status 2) given no text is not
// checked for the text it writes on standard error.
struct expected_run {
    std::string args;
    int status;
    std::string out, err;
};

class CliCompare : public cli_fixture {
  protected:
    void expect_runs(std::initializer_list<expected_run> rows) const {
        for (const auto& r : rows) {
            result got = run(r.args);
            EXPECT_EQ(got.status, r.status) << r.args;
            EXPECT_EQ(got.out, r.out) << r.args;
            if (r.status != 2 || !r.err.empty()) {
                EXPECT_EQ(got.err, r.err) << r.args;
            }
        }
    }
};

TEST_F(CliCompare, ExportAndImportRoundTripThroughFilesAndStandardOutput) {
    write("map.zrp", map_text);
    result to_stdout = run("export-csv map.zrp");
    EXPECT_EQ(to_stdout.status, 0);
    EXPECT_EQ(to_stdout.out, table);
    EXPECT_EQ(to_stdout.err, "");

    result to_file = run("export-csv map.zrp -o table.csv");
    EXPECT_EQ(to_file.status, 0);
    EXPECT_EQ(to_file.out, "");
    EXPECT_EQ(read_work("table.csv"), table);

    // The header of another map, the registers of the table.
    write("other.zrp", "BLF Modbus/TCP protocol\nNODENUM 4\nMBTCP 10.0.0.1 0.0.0.0 0.0.0.0\nHREG\n"
                       "40001 0 1 0 0 0 F:0 Replaced\n40001 0 1 0 0 0 F:0 Conflict\n");
    result imported = run("import-csv table.csv --into other.zrp -o new.zrp");
    EXPECT_EQ(imported.status, 0);
    EXPECT_EQ(imported.out, "");
    EXPECT_EQ(imported.err, "");
    EXPECT_EQ(read_work("new.zrp"),
              "BLF Modbus/TCP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
              "REGMAX 65535\nNODENUM 4\nMBTCP 10.0.0.1 0.0.0.0 0.0.0.0\nHREG\n" +
                  map_text.substr(head.size()));
    result again = run("import-csv table.csv --into map.zrp");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, map_text);
}

TEST_F(CliCompare, PythonsCsvModuleReadsTheExportedCells) {
    if (std::system("python3 -c '' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3 is not installed";
    write("map.zrp",
          map_text + "40006 0 1 3 0 0 F:0\n" + std::string(64, ' ') + "\nXXXX XXXX C,\"Q\n\n");
    ASSERT_EQ(run("export-csv map.zrp -o table.csv").status, 0);
    write("read.py", "import csv\n"
                     "with open('table.csv', newline='', encoding='utf-8') as f:\n"
                     "    for row in csv.reader(f):\n"
                     "        print(len(row), '|'.join(row[:4] + row[14:16]))\n");
    fs::path python = dir_ / "io" / "python.out";
    ASSERT_EQ(std::system(("cd '" + (dir_ / "work").string() + "' && python3 read.py >'" +
                           python.string() + "'")
                              .c_str()),
              0);
    EXPECT_EQ(read(python), "30 Register|Feeder|Parameter|Format|Bit 15|Bit 14\n"
                            "30 40001|1|FdrPercentOfLine|INT_NUMERIC||\n"
                            "30 40002|0|Mass,flow|INT_PASSTHRU||\n"
                            "30 40005|2|Setpoint|INT_DEC_SHIFT||\n"
                            "30 40006|0||COMMANDS|F:0 XXXX OFF|F:0 XXXX OFF\n");
}

TEST_F(CliCompare, FailedImportsWriteNothing) {
    write("map.zrp", map_text);
    write("out.zrp", "previous\n");
    write("bad.csv", "Register,Format,Parameter\n40001,INT_PASSTHRU,A\n40002,INT_NUMERC,B\n");
    write("nokey.csv", "Format,Parameter\nINT_PASSTHRU,A\n");
    fs::create_directories(dir_ / "work" / "folder.zrp");
    const refusal rows[] = {
        {"import-csv bad.csv --into map.zrp -o out.zrp", 1,
         "Row 3, column Format: \"INT_NUMERC\" is not a register format name or number\n"},
        {"import-csv bad.csv --into map.zrp -o fresh.zrp", 1,
         "Row 3, column Format: \"INT_NUMERC\" is not a register format name or number\n"},
        {"import-csv nokey.csv --into map.zrp -o out.zrp", 1,
         "Header row: the table has no Register column\n"},
        {"import-csv missing.csv --into map.zrp -o out.zrp", 1, "Unable to open missing.csv\n"},
        {"import-csv bad.csv --into missing.zrp -o out.zrp", 1,
         open_failed("missing.zrp", "no such file")},
        {"import-csv bad.csv --into folder.zrp -o out.zrp", 1,
         open_failed("folder.zrp", "a folder, not a file")},
        {"export-csv missing.zrp -o out.zrp", 1, open_failed("missing.zrp", "no such file")},
        {"export-csv folder.zrp -o out.zrp", 1, open_failed("folder.zrp", "a folder, not a file")},
        {"import-csv bad.csv -o out.zrp", 2, std::nullopt},
        {"export-csv", 2, std::nullopt},
    };
    for (const auto& r : rows) {
        expect_refusal(r);
        EXPECT_EQ(read_work("out.zrp"), "previous\n") << r.args;
        EXPECT_FALSE(fs::exists(dir_ / "work" / "fresh.zrp")) << r.args;
    }
}

// A table saved with carriage returns alone (the sample map's table with its line feeds
// taken out) imports the same registers.
TEST_F(CliCompare, ATableWithCarriageReturnLineEndsImportsTheSameRegisters) {
    write("plant.zrp", read(TESSALY_TEST_DATA "/plant.zrp"));
    result table = run("export-csv plant.zrp");
    ASSERT_EQ(table.status, 0);
    std::string cr = table.out;
    cr.erase(std::remove(cr.begin(), cr.end(), '\n'), cr.end());
    ASSERT_EQ(cr.find('\n'), std::string::npos);
    write("cr.csv", cr);
    result same = run("format plant.zrp");
    result back = run("import-csv cr.csv --into plant.zrp");
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.err, "");
    EXPECT_EQ(back.out, same.out);
}

TEST_F(CliCompare, DiffAnswersAsDiffDoes) {
    write("a.zrp", map_text);
    write("b.zrp", head + "40001 0 1 1 0 0 F:1 FdrPercentOfLine 150 0 1\n"
                          "40002 1 2 0 6 2 F:0 Mass,flow\n40007 0 1 0 0 0 F:0 Massflow\n");
    write("broken.zrp", "RDX Modbus protocol\nPLC_CHAN\n");
    write("guessed.zrp", map_text + "40007 0 1 0 0 0 F:1x Massflow\n");
    expect_runs({
        {"diff a.zrp a.zrp", 0, "", ""},
        {"diff a.zrp b.zrp", 1,
         "~ 40001 Maximum: 100 -> 150\n- 40005 0 1 2 0 0 F:2 Setpoint 3\n"
         "+ 40007 0 1 0 0 0 F:0 Massflow\n",
         ""},
        {"diff a.zrp broken.zrp", 2, "", open_failed("broken.zrp", "no NODENUM line")},
        {"diff missing.zrp a.zrp", 2, "", open_failed("missing.zrp", "no such file")},
        {"diff a.zrp guessed.zrp", 1, "+ 40007 0 1 0 0 0 F:1 x\n",
         "Line 9 was not read as written: \"40007 0 1 0 0 0 F:1x Massflow\"\n"},
        {"diff a.zrp", 2, "", ""},
    });
}

TEST_F(CliCompare, CheckListsFindingsAgainstTheBundledOrANamedCatalogue) {
    write("clean.zrp", head + "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n");
    write("findings.zrp", head + "40001 0 1 0 0 0 F:64 Massflow\n"
                                 "40002 0 1 0 0 0 F:0 NoSuchParameterName\n"
                                 "40003 0 1 0 0 0 F:0 AVeryLongParameterName\n");
    write("small.lst", "<parameters><device name=\"Any\"><param name=\"NoSuchParameterName\" "
                       "type=\"int\">x</param></device></parameters>");
    write("empty.lst", "no root here");
    write("guessed.zrp", head + "40001 0 1 1 0 0 F:1 Massflow 100 0 1O\n");
    const std::string long_name = "40003: parameter name \"AVeryLongParameterName\" is longer "
                                  "than 19 characters; the card gets \"AVeryLongParameterN\"\n";
    expect_runs({
        {"check clean.zrp", 0, "", ""},
        {"check findings.zrp", 1,
         "40001: feeder 64 is outside 0 to 63\n"
         "40002: parameter \"NoSuchParameterName\" is not in the catalogue for RDX\n" +
             long_name +
             "40003: parameter \"AVeryLongParameterN\" is not in the catalogue for RDX\n",
         ""},
        {"check findings.zrp --catalogue small.lst", 1,
         "40001: feeder 64 is outside 0 to 63\n"
         "40001: parameter \"Massflow\" is not in the catalogue for RDX\n" +
             long_name +
             "40003: parameter \"AVeryLongParameterN\" is not in the catalogue for RDX\n",
         ""},
        {"check clean.zrp --catalogue missing.lst", 2, "", "Unable to open missing.lst\n"},
        {"check clean.zrp --catalogue empty.lst", 2, "", "empty.lst: line 1: no root element\n"},
        {"check missing.zrp", 2, "", open_failed("missing.zrp", "no such file")},
        // A line read other than as written is a finding of its own, said on standard error.
        {"check guessed.zrp", 1, "",
         "Line 6 was not read as written: \"40001 0 1 1 0 0 F:1 Massflow 100 0 1O\"\n"},
    });
}

} // namespace
