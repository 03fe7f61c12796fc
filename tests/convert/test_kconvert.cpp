#include "convert/Kconvert.h"
#include "convert_fixture.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

namespace {

const std::string done_message =
    "Conversion done!\n\nRe-Open the converted file and\nsetup protocol parameters now!";
const std::string errors_message = "Errors during conversion!\nExamine convert.log for details.";

class KconvertTest : public ConvertFolder {
  protected:
    // Converts old text for a device; returns the new file's text.
    std::string convert(const std::string& old_text, int device_code,
                        const std::string& description = "RDX Modbus Protocol") {
        write("old.zrp", old_text);
        std::filesystem::remove(path("new.zrp"));
        Kconvert converter;
        converter.set_device_code(device_code);
        converter.set_log_path(path("convert.log"));
        scoped_ui use(ui);
        result = converter.conversion(path("old.zrp"), path("new.zrp"), description);
        outcome = converter.last_outcome();
        log = read(path("convert.log"));
        return read(path("new.zrp"));
    }
    // The log's lines after the two path lines.
    std::string log_body() const {
        std::size_t second = log.find('\n', log.find('\n') + 1);
        return second == std::string::npos ? log : log.substr(second + 1);
    }

    scripted_ui ui;
    bool result = false;
    Kconvert::outcome outcome = Kconvert::outcome::none;
    std::string log;
};

struct conversion_case {
    const char* what;
    int device_code;
    std::string old_text;
    std::string new_text; // after the description line
    std::string log_body;
    bool errors;
};

// The header lines a converted map needs to be opened.
const std::string head =
    "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\n";
const std::string not_written = "Output File not written: the conversion had errors\n";

TEST_F(KconvertTest, ConvertsRegisterLinesByFormat) {
    const conversion_case cases[] = {
        {"numeric line", 1, head + "HREG\n40001 0 1 1 0 0 F:1 MFA 100 0 1\n",
         head + "HREG\n40001 0 1 1 0 0 F:1 Massflow 100 0 1\n", "", false},
        {"pass-through keeps a blank after the name", 1, head + "HREG\n40001 0 1 0 0 0 F:1 MFA\n",
         head + "HREG\n40001 0 1 0 0 0 F:1 Massflow \n", "", false},
        {"decimal shift and ROM constant take the first value", 1,
         head + "HREG\n40003 0 2 2 6 2 F:12 TOA -3 7 8\n40005 0 1 5 0 0 F:0 SP1 1.5e3\n",
         head + "HREG\n40003 0 2 2 6 2 F:12 Totalizer -3\n40005 0 1 5 0 0 F:0 Setpoint1 1500\n", "",
         false},
        {"values in %g form, missing ones zero", 1,
         head + "HREG\n40001 1 1 1 0 0 F:2 mfa 0.1234567 2.5\n",
         head + "HREG\n40001 1 1 1 0 0 F:2 LineMassflow 0.123457 2.5 0\n", "", false},
        {"other formats write no values", 1, head + "HREG\n40007 0 2 7 0 0 F:1 MFS 5 6 7\n",
         head + "HREG\n40007 0 2 7 0 0 F:1 Setpoint \n", "", false},
        {"status word for RDX", 1, head + "HREG\n40001 0 1 10 0 0 F:1 ASR\n",
         head + "HREG\n40001 0 1 10 0 0 F:1 CondAlarmStat \n", "", false},
        {"status word for BLF", 0,
         head + "HREG\n40001 0 1 10 0 0 F:1 ASR\n40002 0 1 0 0 0 F:1 PSR\n",
         head + "HREG\n40001 0 1 10 0 0 F:1 CondensedAlrmStatus \n40002 0 1 0 0 0 F:1 "
                "CondensedProcStatus \n",
         "", false},
        {"status word for an unknown device", 255, head + "HREG\n40001 0 1 0 0 0 F:1 PSR\n",
         head + "HREG\n40001 0 1 0 0 0 F:1 ProcessStatus \n", "", false},
        {"obsolete header lines stripped and logged", 1,
         "ONLINE 1\ngroup 1\nSELECTED\nUNSELECTED x\n  FDR_CHAN 2\nKDU_CHAN\nGROUP "
         "2\nonline\n\n" +
             head + "HREG trailing\n",
         "GROUP 2\nonline\n\n" + head + "HREG trailing\n",
         "Stripped Old-Style line: ONLINE 1\nStripped Old-Style line: group 1\nStripped "
         "Old-Style line: SELECTED\nStripped Old-Style line: UNSELECTED x\nStripped Old-Style "
         "line:   FDR_CHAN 2\nStripped Old-Style line: KDU_CHAN\n",
         false},
        {"obsolete words after HREG are register lines", 1, head + "HREG\ngroup 1 2 3 4 5 6\n",
         head + "HREG\n", "", false},
        {"location other than F: dropped silently", 1,
         head + "HREG\n40001 0 1 0 0 0 K:1 MFA\n40002 0 1 0 0 0 F1 MFA\n40003 0 1 0 0 0 FF:1 MFA\n",
         head + "HREG\n", "", false},
        {"short, unnumbered and negative lines ignored", 1,
         head + "HREG\n1 0 1 0 0\nname 0 1 0 0 0 F:1 MFA\n-40001 0 1 0 0 0 F:1 MFA\n\n",
         head + "HREG\n", "", false},
        {"bitmap registers copied with three long continuation lines", 1,
         head +
             "HREG\n40010 0 1 3 0 0 F:0\nF:0 F:0 F:0 F:0\nshort\nCXXX CABC XXXX\nOFF HI LO "
             "OFF\n40011 "
             "0 1 4 0 0 F:0\nF:1 F:1 F:1 F:1\nXXX PSR ASR FAS\n0 1 2 3 4 5 6\n40012 0 1 0 0 0 F:1 "
             "MFA\n",
         head + "HREG\n40010 0 1 3 0 0 F:0\nF:0 F:0 F:0 F:0\nCXXX CABC XXXX\nOFF HI LO OFF\n40011 "
                "0 1 4 "
                "0 0 F:0\nF:1 F:1 F:1 F:1\nXXX PSR ASR FAS\n0 1 2 3 4 5 6\n40012 0 1 0 0 0 F:1 "
                "Massflow \n",
         "", false},
        {"bitmap register cut short at the end of the file: the map would lose it", 1,
         head + "HREG\n40010 0 1 3 0 0 F:0\nF:0 F:0 F:0\n", "",
         "-Conversion Error-\nOutput File line:\t6\nDetail:\tThe converted line would not be "
         "read as written: \"40010 0 1 3 0 0 F:0\"\n\n-Conversion Error-\nOutput File line:\t7\n"
         "Detail:\tThe converted line would not be read as written: \"F:0 F:0 F:0\"\n\n" +
             not_written,
         true},
        {"unknown mnemonic logged and dropped", 1,
         head + "HREG\n40001 0 1 0 0 0 F:1 XYZ\n40002 0 1 0 0 0 F:1 mfa\n40003 0 1 0 0 0 F:1\n", "",
         "-Conversion Error-\nRegister:\t40001\nMnemonic:\tXYZ\nDetail:\tNo equivalent new "
         "parameter name found\n\n-Conversion Error-\nRegister:\t40003\nMnemonic:\t\nDetail:\tNo "
         "equivalent new parameter name found\n\n" +
             not_written,
         true},
        {"four-character mnemonic stops the conversion", 1,
         head +
             "HREG\n40001 0 1 0 0 0 F:1 MFA\n40002 0 1 0 0 0 F:1 MFAX\n40003 0 1 0 0 0 F:1 TOA\n",
         head + "HREG\n40001 0 1 0 0 0 F:1 Massflow \n",
         "-Conversion Error-\nRegister:\t40002\nMnemonic:\tMFAX\nDetail:\tWrong File Type - "
         "Requires 3 Character Mnemonics\n" +
             not_written,
         true},
        {"carriage returns and a last line without a line feed", 1,
         "PLC_CHAN 1\r\nREGMAX 1\r\nNODENUM 0\r\nHREG\r\n40001 0 1 1 0 0 F:1 MFA 100 0 1",
         "PLC_CHAN 1\nREGMAX 1\nNODENUM 0\nHREG\n40001 0 1 1 0 0 F:1 Massflow 100 0 1\n", "",
         false},
        // A result the map reader cannot open is no converted map.
        {"no NODENUM line", 1, "PLC_CHAN 1\nREGMAX 1\nHREG\n40001 0 1 0 0 0 F:1 MFA\n", "",
         "-Conversion Error-\nDetail:\tThe converted map cannot be opened: no NODENUM line\n\n" +
             not_written,
         true},
        {"empty old file", 1, "", "",
         "-Conversion Error-\nDetail:\tThe converted map cannot be opened: no NODENUM line\n\n" +
             not_written,
         true},
    };
    for (const auto& c : cases) {
        ui.events.clear();
        std::string out = convert(c.old_text, c.device_code);
        EXPECT_TRUE(result) << c.what;
        // A conversion with errors writes no new file.
        EXPECT_EQ(out, c.errors ? "" : "RDX Modbus Protocol\n" + c.new_text) << c.what;
        EXPECT_EQ(log_body(), c.log_body) << c.what;
        EXPECT_EQ(ui.texts(), std::vector<std::string>{c.errors ? errors_message : done_message})
            << c.what;
        EXPECT_EQ(outcome, c.errors ? Kconvert::outcome::errors : Kconvert::outcome::done)
            << c.what;
    }
}

TEST_F(KconvertTest, LogNamesThePathsAndTheDescriptionMayBeEmpty) {
    std::string out = convert(head + "HREG\n", 1, "");
    EXPECT_EQ(out, "\n" + head + "HREG\n");
    EXPECT_EQ(log, "Input File: " + path("old.zrp") + "\nOutput File: " + path("new.zrp") + "\n");
}

TEST_F(KconvertTest, LongLinesAreCutAndReported) {
    std::string long_header = "COMMENT " + std::string(100, 'x');
    std::string long_register = "40002 0 1 1 0 0 F:1 TOA 1 2 3" + std::string(80, ' ') + "99";
    std::string out = convert(
        long_header + "\n" + head + "HREG\n" + long_register + "\n40003 0 1 0 0 0 F:1 MFA\n", 1);
    EXPECT_TRUE(result);
    EXPECT_EQ(out, "");
    const std::string cut = "Detail:\tLine longer than 89 characters - only the first 89 were "
                            "converted\n\n";
    EXPECT_EQ(log_body(), "-Conversion Error-\nLine:\t1\n" + cut +
                              "-Conversion Error-\nLine:\t6\n" + cut + not_written);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{errors_message});
}

// A binary old file, or one whose header holds bytes that are not text, converts into no new
// file: the log says why.
TEST_F(KconvertTest, BinaryBytesWriteNoNewFile) {
    static const char bytes[] =
        "HREG\n\x00\xff\x01garbage\x80\x81\x82\x83\n40001 0 1 0 0 0 F:1 M\x00X\n"
        "40002 0 1 0 0 0 F:1 MFA\n\xff\xfe";
    const std::string with_header = "PLC_CHAN\x01 1\nREGMAX 1\nNODENUM 0\nHREG\n";
    for (const std::string& old : {std::string(bytes, sizeof bytes - 1), with_header}) {
        ui.events.clear();
        EXPECT_EQ(convert(old, 1), "");
        EXPECT_TRUE(result);
        EXPECT_EQ(outcome, Kconvert::outcome::errors);
        EXPECT_NE(log.find("-Conversion Error-"), std::string::npos) << log;
        EXPECT_EQ(log.substr(log.size() - not_written.size()), not_written);
        EXPECT_EQ(ui.texts(), std::vector<std::string>{errors_message});
    }
}

TEST_F(KconvertTest, FilesThatCannotBeOpened) {
    scoped_ui use(ui);
    Kconvert converter;
    converter.set_log_path(path("convert.log"));

    // Missing old file: nothing is created.
    EXPECT_FALSE(converter.conversion(path("missing.zrp"), path("new.zrp"), "x"));
    EXPECT_FALSE(exists("new.zrp"));
    EXPECT_FALSE(exists("convert.log"));

    // The new file's folder does not exist.
    write("old.zrp", head + "HREG\n40001 0 1 0 0 0 F:1 MFA\n");
    EXPECT_FALSE(converter.conversion(path("old.zrp"), path("no/such/new.zrp"), "x"));

    // The log cannot be created: the new file is not touched.
    write("new.zrp", "previous contents\n");
    converter.set_log_path(path("no/such/convert.log"));
    EXPECT_FALSE(converter.conversion(path("old.zrp"), path("new.zrp"), "x"));
    EXPECT_EQ(read(path("new.zrp")), "previous contents\n");

    // A write-protected log keeps the earlier conversion's record, and nothing is written.
    write("convert.log", "an earlier log\n");
    std::filesystem::permissions(path("convert.log"), std::filesystem::perms::owner_read);
    converter.set_log_path(path("convert.log"));
    EXPECT_FALSE(converter.conversion(path("old.zrp"), path("new.zrp"), "x"));
    EXPECT_EQ(read(path("convert.log")), "an earlier log\n");
    EXPECT_EQ(read(path("new.zrp")), "previous contents\n");

    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "The file could not be opened.", "The file could not be opened.",
                              "Could not create logfile.", "Could not create logfile."}));
    EXPECT_EQ(converter.last_outcome(), Kconvert::outcome::failed);
}

} // namespace
