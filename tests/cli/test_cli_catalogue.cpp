// tessaly-cli xml, catalogue and import, run as a separate program in a scratch folder.

#include "tests/cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class CliCatalogue : public cli_fixture {};

TEST_F(CliCatalogue, XmlWritesTheRootsTree) {
    write("doc.xml", "<?xml version=\"1.0\"?><!-- c --><r a=\"1\">text<c></c></r>ignored");
    write("broken.xml", "<r><c></r>");
    result ok = run("xml doc.xml");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "<r a=\"1\">\n\ttext\n\t<c>\n\t</c>\n</r>\n");
    EXPECT_EQ(ok.err, "");

    for (const char* file : {"broken.xml", "missing.xml"}) {
        result bad = run(std::string("xml ") + file);
        EXPECT_EQ(bad.status, 1) << file;
        EXPECT_EQ(bad.out, "") << file;
        EXPECT_NE(bad.err.find(file), std::string::npos) << file; // says which file and why
        EXPECT_EQ(bad.err.back(), '\n') << file;
    }
}

// A folder, a device or a pipe holds no document; neither does a catalogue that nests past
// the reader's depth guard, whatever follows the part it gave up.
TEST_F(CliCatalogue, NoDocumentFromNonRegularFilesOrTooDeepNesting) {
    fs::create_directories(dir_ / "work" / "folder");
    ASSERT_EQ(mkfifo((dir_ / "work" / "pipe").c_str(), 0600), 0);
    std::string deep = "<parameters><device name=\"Top\">";
    for (int i = 0; i < 300; ++i)
        deep += "<device name=\"d\">";
    for (int i = 0; i < 300; ++i)
        deep += "</device>";
    deep += "</device><device name=\"Real\" ctrl_type=\"rdx\"><param name=\"Massflow\" "
            "type=\"float\">m</param></device></parameters>\n";
    write("d.lst", deep);
    const refusal cases[] = {
        {"xml folder", 1, "Unable to open folder\n"},
        {"xml /dev/zero", 1, "Unable to open /dev/zero\n"},
        {"xml pipe", 1, "Unable to open pipe\n"},
        {"catalogue folder", 1, "Unable to open folder\n"},
        {"catalogue /dev/zero", 1, "Unable to open /dev/zero\n"},
        {"catalogue d.lst", 1, "d.lst: line 1: elements are nested more than 256 deep\n"},
        {"xml d.lst", 1, "d.lst: line 1: elements are nested more than 256 deep\n"},
    };
    for (const auto& c : cases)
        expect_refusal(c, 20);
}

// The shipped catalogue with one end tag misspelt fails as a whole, naming the line; a
// catalogue without a parameter says so.
TEST_F(CliCatalogue, ADamagedOrEmptyCatalogueIsNoCatalogue) {
    std::ifstream shipped(TESSALY_SOURCE_DIR "/resources/params.lst", std::ios::binary);
    std::string text, line;
    for (int n = 1; std::getline(shipped, line); ++n) {
        if (n == 101) {
            const auto at = line.find("</param>");
            ASSERT_NE(at, std::string::npos);
            line.replace(at, 8, "</parm>");
        }
        text += line + "\n";
    }
    write("b.lst", text);
    write("none.lst", "<parameters><device name=\"A\"><device name=\"B\"></device></device>"
                      "</parameters>");
    write("map.zrp", "RDX Modbus protocol\nPLC_CHAN\nREGMAX 1\nNODENUM 0\nHREG\n"
                     "40001 0 1 0 0 0 F:0 Massflow\n");
    const std::string broken = "b.lst: line 101: </parm> does not close <param>\n";
    const std::string empty = "none.lst: the catalogue holds no parameter\n";
    const refusal cases[] = {
        {"catalogue b.lst", 1, broken},
        {"xml b.lst", 1, broken},
        {"check map.zrp --catalogue b.lst", 2, broken},
        {"catalogue none.lst", 1, empty},
        {"check map.zrp --catalogue none.lst", 2, empty},
    };
    for (const auto& c : cases)
        expect_refusal(c);
}

TEST_F(CliCatalogue, CatalogueInWalkOrderWithEscapes) {
    write("p.lst", "<r>\n"
                   "<device name=\"D\\\"q\\\\\" ctrl_type=\"rdx\">"
                   "<param name=\"P\" type=\"float\">tab\there\r\nline</param></device>\n"
                   "<device name=\"S\"><param name=\"Q\" type=\"x\"></param>"
                   "<device name=\"Sub\" ctrl_type=\"blf\"><param name=\"R\" type=\"bits\">"
                   "r</param></device></device>\n"
                   "</r>\n");
    struct {
        const char* args;
        int status;
        std::string out;
    } const cases[] = {
        {"catalogue p.lst", 0,
         "device \"D\\\"q\\\\\" ctrl_type=1\n"
         "  param \"P\" type=2 \"tab\\there\\r\\nline\"\n"
         "device \"S\" ctrl_type=255\n"
         "  device \"Sub\" ctrl_type=0\n"
         "    param \"R\" type=0 \"r\"\n"
         "  param \"Q\" type=4 \"\"\n"},
        {"catalogue p.lst --device RDX", 0,
         "device \"D\\\"q\\\\\" ctrl_type=1\n"
         "  param \"P\" type=2 \"tab\\there\\r\\nline\"\n"
         "device \"S\" ctrl_type=255\n"
         "  param \"Q\" type=4 \"\"\n"},
        {"catalogue p.lst --device BLF", 0,
         "device \"S\" ctrl_type=255\n"
         "  device \"Sub\" ctrl_type=0\n"
         "    param \"R\" type=0 \"r\"\n"
         "  param \"Q\" type=4 \"\"\n"},
        {"catalogue p.lst --device blf", 2, ""},
        {"catalogue", 2, ""},
    };
    for (const auto& c : cases) {
        result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        if (c.status == 0) {
            EXPECT_EQ(r.err, "") << c.args;
        }
    }

    write("broken.lst", "<r><device name=x></r>");
    for (const char* file : {"broken.lst", "missing.lst"}) {
        result bad = run(std::string("catalogue ") + file);
        EXPECT_EQ(bad.status, 1) << file;
        EXPECT_EQ(bad.out, "") << file;
        EXPECT_NE(bad.err.find(file), std::string::npos) << file;
    }
}

TEST_F(CliCatalogue, DefaultCatalogueLoads) {
    result r = run("catalogue '" TESSALY_SOURCE_DIR "/resources/params.lst' --device HQP");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("param \"LineMassflow\" type=2"), std::string::npos);
    EXPECT_EQ(r.out.find("ctrl_type=1\n"), std::string::npos);
}

const std::string done =
    "Conversion done!\n\nRe-Open the converted file and\nsetup protocol parameters now!\n";

TEST_F(CliCatalogue, ImportFollowsTheSelectionOptions) {
    write("old.zrp",
          "PLC_CHAN 19200\nONLINE\nREGMAX 1\nNODENUM 0\nHREG\n40001 0 1 0 0 0 F:1 ASR\n");
    struct {
        const char* options;
        const char* description;
        const char* status_name;
    } const cases[] = {
        {"", "", "CondAlarmStat"}, // the cancelled selection
        {"--device BLF --protocol Siemens", "BLF Siemens Protocol", "CondensedAlrmStatus"},
        {"--protocol Siemens", "RDX Allen-Bradley Protocol", "CondAlarmStat"},
        {"--protocol Modbus+", "RDX Modbus+ Protocol", "CondAlarmStat"},
        {"--device HQP", "HQP Modbus Protocol", "CondAlarmStat"},
        {"--device WNT --protocol ProfinetIO", "WNT Allen-Bradley Protocol", "CondensedAlrmStatus"},
        {"--device BLF --protocol ProfinetIO", "BLF Allen-Bradley Protocol", "CondensedAlrmStatus"},
        {"--device RDX --protocol ProfinetIO", "RDX ProfinetIO Protocol", "CondAlarmStat"},
    };
    for (const auto& c : cases) {
        std::error_code ec;
        fs::remove(dir_ / "work" / "new.zrp", ec);
        result r = run(std::string("import old.zrp new.zrp ") + c.options);
        EXPECT_EQ(r.status, 0) << c.options;
        EXPECT_EQ(r.err, done) << c.options;
        EXPECT_EQ(r.out, "") << c.options;
        EXPECT_EQ(read_work("new.zrp"), std::string(c.description) +
                                            "\nPLC_CHAN 19200\nREGMAX 1\nNODENUM 0\nHREG\n" +
                                            "40001 0 1 0 0 0 F:1 " + c.status_name + " \n")
            << c.options;
    }
    EXPECT_EQ(read_work("convert.log"), "Input File: old.zrp\nOutput File: new.zrp\n"
                                        "Stripped Old-Style line: ONLINE\n");
}

TEST_F(CliCatalogue, ImportRefusalsAndFailures) {
    const std::string head = "PLC_CHAN 19200\nREGMAX 1\nNODENUM 0\n";
    write("old.zrp", head + "HREG\n40001 0 1 0 0 0 F:1 MFA\n");
    write("bad.zrp", head + "HREG\n40001 0 1 0 0 0 F:1 QQQ\n");
    write("binary.zrp", std::string("\x7f"
                                    "ELF\x02\x01\x01\0\0\0HREG\n\x89PNG\r\n",
                                    20) +
                            std::string(300, '\xff'));
    write("headless.zrp", "HREG\n40001 0 1 0 0 0 F:1 MFA\n");
    write("taken.zrp", "keep\n");
    fs::create_directories(dir_ / "work" / "sub");
    const refusal cases[] = {
        {"import old.zrp taken.zrp", 1, "Conversion cancelled.\n"},
        {"import old.zrp old.zrp", 1, "Conversion cancelled.\n"},
        {"import old.zrp ./sub/../old.zrp --force", 1,
         "Error: new file name is the same as old.\n"},
        {"import bad.zrp out2.zrp", 1,
         "Errors during conversion!\nExamine convert.log for details.\n"},
        // What a failed conversion made is not written: not even a file nothing can open.
        {"import binary.zrp out2.zrp", 1,
         "Errors during conversion!\nExamine convert.log for details.\n"},
        {"import headless.zrp out2.zrp", 1,
         "Errors during conversion!\nExamine convert.log for details.\n"},
        {"import missing.zrp out2.zrp", 1,
         "The file could not be opened.\nError converting *.zrp file.\n"},
        {"import sub out2.zrp", 1, "The file could not be opened.\nError converting *.zrp file.\n"},
        {"import /dev/zero out2.zrp", 1,
         "The file could not be opened.\nError converting *.zrp file.\n"},
        {"import old.zrp out3.zrp --protocol Modbus/RTU", 2, std::nullopt},
        {"import old.zrp out3.zrp --device XYZ", 2, std::nullopt},
        {"import old.zrp", 2, std::nullopt},
    };
    for (const auto& c : cases)
        expect_refusal(c);
    EXPECT_EQ(read_work("taken.zrp"), "keep\n");
    EXPECT_EQ(read_work("old.zrp"), head + "HREG\n40001 0 1 0 0 0 F:1 MFA\n");
    EXPECT_FALSE(fs::exists(dir_ / "work" / "out2.zrp"));
    // The log of the last failed conversion says why.
    EXPECT_NE(read_work("convert.log").find("cannot be opened: no NODENUM line"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "work" / "out3.zrp"));

    result forced = run("import old.zrp taken.zrp --force");
    EXPECT_EQ(forced.status, 0);
    EXPECT_EQ(forced.err, done);
    EXPECT_EQ(read_work("taken.zrp"), "\n" + head + "HREG\n40001 0 1 0 0 0 F:1 Massflow \n");
}

} // namespace
