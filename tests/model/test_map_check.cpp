#include "test_maps.h"
#include "test_model_support.h"

#include "model/map_check.h"
#include "model/name_loss.h"

#include <gtest/gtest.h>

using namespace model_test;

namespace {

const std::set<std::string, std::less<>> catalogue = {"Massflow", "Setpoint",
                                                      "LineBatchComplPercent"};

std::string head(const std::string& device = "RDX", const std::string& protocol = "Modbus",
                 const std::string& extra = "") {
    return device + " " + protocol +
           " protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 65535\n"
           "NODENUM 0\n" +
           extra + "HREG\n";
}

std::string devicenet(const std::string& blocks = block_lines()) {
    return head("RDX", "DeviceNet", "DEVICENET 16 8\n" + blocks);
}

std::string commands(const std::string& bit_0_mnemonic) {
    return sixteen("F:0") + "\n" + sixteen("XXXX").substr(0, 75) + bit_0_mnemonic + "\n" +
           sixteen("OFF") + "\n";
}

std::string status(const std::string& bit_0_position) {
    return sixteen("F:0") + "\n" + sixteen("XXX") + "\n" + sixteen("0").substr(0, 30) +
           bit_0_position + "\n";
}

} // namespace

TEST(MapCheck, EveryFindingOnItsOwnAndACleanMap) {
    struct row {
        const char* what;
        std::string text;
        std::vector<std::string> findings;
    };
    const std::string many = [] {
        std::string t = head();
        for (int i = 0; i < 656; ++i)
            t += std::to_string(40001 + i) + " 0 1 0 0 0 F:0 Massflow\n";
        return t;
    }();
    const row rows[] = {
        {"a clean map",
         head() + "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n40002 0 1 3 0 0 F:0\n" + commands("CRUN") +
             "40003 0 1 4 0 0 F:0\n" + status("31") + "40004 0 1 5 0 0 F:0 ROMConstant 3\n",
         {}},
        {"a name the load cut",
         head() + "40001 0 1 0 0 0 F:0 LineBatchComplPercent\n40002 0 1 0 0 0 F:0 "
                  "LineBatchComplPercentXY\n",
         {"40001: parameter name \"LineBatchComplPercent\" is longer than 19 characters; the card "
          "gets \"LineBatchComplPerce\"",
          "40002: parameter name \"LineBatchComplPercentXY\" is longer than 19 characters; the "
          "card gets \"LineBatchComplPerce\""}},
        {"command mnemonics the image cannot carry",
         head() + "40001 0 1 3 0 0 F:0\n" + commands("AB") + "40002 0 1 3 0 0 F:0\n" +
             commands("CXXX"),
         {"40001: Bit 0: command mnemonic \"AB\" is not \"XXXX\" or \"C\" and three characters; "
          "the card gets \"CB\"",
          "40002: Bit 0: command mnemonic \"CXXX\" is not \"XXXX\" or \"C\" and three characters; "
          "the card gets \"XXXX\""}},
        {"whole counts by device",
         head() + "40001 0 1024 0 0 0 F:0 Massflow\n",
         {"40001: whole count 1024 is outside 0 to 1023"}},
        {"whole counts by device",
         head("BLF") + "40001 0 16 0 0 0 F:0 Massflow\n",
         {"40001: whole count 16 is outside 0 to 15"}},
        {"feeders",
         head() + "40001 0 1 0 0 0 F:64 Massflow\n40002 0 1 0 0 0 F:-1 Setpoint\n",
         {"40001: feeder 64 is outside 0 to 63", "40002: feeder -1 is outside 0 to 63"}},
        {"bit positions",
         head() + "40001 0 1 4 0 0 F:0\n" + status("32") + "40002 0 1 4 0 0 F:0\n" + status("300"),
         {"40001: Bit 0: bit position 32 is above 31",
          "40002: Bit 0: bit position 300 is above 31"}},
        {"more registers than an image holds",
         many,
         {"header: 656 registers; an image holds at most 655"}},
        {"registers outside the blocks",
         devicenet() + "0 0 1 0 0 0 F:0 Massflow\n14 0 4 0 0 0 F:0 Setpoint\n"
                       "20 0 1 0 0 0 F:0 Massflow\n1030 0 1 0 0 0 F:0 Massflow\n",
         {"14: runs past the end of I/O input block 1 (0/16), which ends at register 15",
          "20: lies in no defined block"}},
        {"blocks past their area",
         devicenet(block_lines("0/300")),
         {"header: I/O input block 1 (0/300) ends past register 256"}},
        {"blocks sharing registers",
         devicenet("INPUT_BLOCK 0/16\nINPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\n"
                   "INPUT_BLOCK 0/0\nINPUT_BLOCK 10/10\nINPUT_BLOCK 300/10\nINPUT_BLOCK 305/1\n"),
         {"header: I/O input block 1 (0/16) and Param input block 1 (10/10) share registers",
          "header: Param input block 2 (300/10) and Param input block 3 (305/1) share registers"}},
        {"empty names",
         head() + "40001 0 1 1 0 0 F:0\n40002 0 1 0 0 0 F:0\n",
         {"40001: empty parameter name; the map does not load back as saved",
          "40002: empty parameter name"}},
        {"names the catalogue does not offer",
         head() + "40001 0 1 0 0 0 F:0 Setpont\n40002 0 1 9 0 0 F:0 FeederName\n",
         {"40001: parameter \"Setpont\" is not in the catalogue for RDX",
          "40002: parameter \"FeederName\" is not in the catalogue for RDX"}},
    };
    for (const auto& r : rows) {
        auto map = loaded(r.text);
        ASSERT_TRUE(map) << r.what;
        std::vector<std::string> lines;
        for (const map_finding& f : check_map(*map, r.text, &catalogue))
            lines.push_back(f.line());
        EXPECT_EQ(lines, r.findings) << r.what;
    }
}

TEST(MapCheck, FindingsNameTheirRegisterInRegisterOrder) {
    const std::string text = head() + "40009 0 1 0 0 0 F:70 Massflow\n40002 0 1 0 0 0 F:0 Nope\n";
    auto map = loaded(text);
    ASSERT_TRUE(map);
    const auto findings = check_map(*map, "", nullptr);
    ASSERT_EQ(findings.size(), 1u); // no catalogue given: the unknown name is not looked at
    EXPECT_FALSE(findings[0].about_header);
    EXPECT_EQ(findings[0].register_number, 40009);
    const auto with_names = check_map(*map, "", &catalogue);
    ASSERT_EQ(with_names.size(), 2u);
    EXPECT_EQ(with_names[0].register_number, 40002);
    EXPECT_EQ(with_names[1].register_number, 40009);
}

// A map made in memory (an extracted image, a paste) can hold a name the file cannot: check
// says so, as the register list marks it.
TEST(MapCheck, NamesASavedFileCannotHold) {
    auto map = loaded(head() + "40001 0 1 0 0 0 F:0 Massflow\n");
    ASSERT_TRUE(map);
    map->register_at(0)->name = "Mass flow";
    const auto findings = check_map(*map, "", &catalogue);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].register_number, 40001);
    EXPECT_EQ(findings[0].text, name_loss_on_save(*map->register_at(0)));
}
