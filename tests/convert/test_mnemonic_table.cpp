#include "catalogue/parameter_list.h"
#include "convert/mnemonic_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

TEST(MnemonicTable, KeysInTheirFixedOrder) {
    const std::string keys =
        "ACL ADS AFA AGL AIA AIR AIV ASR BCM BCP BCT BDM BLS BLT BLV BPE BPI BPV BRM BSA BSV "
        "BSZ BTA BTM CA0 CA1 CA2 CAL CAM CAT CCO CDC CON CP1 CP2 CP3 CP4 CP5 CP6 CP7 DBD DBP "
        "DBS DBT DBL DBM DCA DCT DD1 DD2 DD3 DDM DER DGN DHS DLS DPC DTS ETI FAL FAS FBS FD1 "
        "FD2 FD3 FDC FF1 FF5 FF9 FFB FLS FMN FMX FRT FR3 FSP FSS FTS GRS GTS GWA GWP GWS HBS "
        "I#1 I#2 I#3 ICS ICD IFS IGN INT IOS IRR K1A K1B K2S K3S KID KPD KSW LBS MBC MBT MEA "
        "MFA MFD mf% MFS MNS MOD MPS MRI NWA NWP NWS O#1 O#2 O#3 OD1 OD2 OD3 OOS OR1 OR2 OR3 "
        "PAW PGN POR PPS PRH PRT PSR PTE PTH PVS RAM RAS RED RHS RLM RLS RTO RTS RVL SAT SBY "
        "SDC SDT SEL SFS SGW SLL SNG SP1 SPA SPP SPS SPT SRQ SRW SSP STD STS STY SWI TAP TAS "
        "TOA TOL TPD TTY UDA UNS USR WDL bcm bcp bsz fbs fss mfa mfs mf% toa";
    std::istringstream expected(keys);
    std::string key;
    std::size_t i = 0;
    auto rows = mnemonic_rows();
    ASSERT_EQ(rows.size(), 185u);
    while (expected >> key) {
        ASSERT_LT(i, rows.size());
        EXPECT_EQ(rows[i].key, key) << "row " << i;
        ++i;
    }
    EXPECT_EQ(i, rows.size());
}

TEST(MnemonicTable, NamesAreSingleWordsThatFitARegister) {
    for (const auto& row : mnemonic_rows()) {
        EXPECT_FALSE(row.name.empty()) << row.key;
        EXPECT_EQ(row.name.find_first_of(" \t"), std::string_view::npos) << row.key;
        if (row.name != "LineBatchComplPercent") { // the one fixed name longer than 19
            EXPECT_LE(row.name.size(), 19u) << row.key;
        }
    }
}

TEST(MnemonicTable, FixedNamesAndTheStatusRule) {
    struct {
        const char* key;
        int device_code;
        const char* name; // null: no row
    } const cases[] = {
        {"MFA", 1, "Massflow"},
        {"mfa", 1, "LineMassflow"},
        {"TOA", 1, "Totalizer"},
        {"toa", 1, "LineTotalizer"},
        {"MFS", 1, "Setpoint"},
        {"mfs", 1, "LineSetpoint"},
        {"ADS", 1, "AlarmDelay"},
        {"BSZ", 1, "BatSize"},
        {"I#1", 1, "FreqIn1Assign"},
        {"O#1", 1, "FreqOut1Assign"},
        {"bcm", 1, "LineBatchComplMass"},
        {"bcp", 1, "LineBatchComplPercent"},
        {"bsz", 1, "LineBatchSize"},
        {"fbs", 1, "LineMaxBatchSize"},
        {"fss", 1, "LineLineMaxRate"},
        {"mf%", 1, "TempProportion"},
        {"ASR", 0, "CondensedAlrmStatus"},
        {"ASR", 1, "CondAlarmStat"},
        {"ASR", 2, "CondensedAlrmStatus"},
        {"ASR", 3, "CondAlarmStat"},
        {"ASR", 4, "AlarmStatus"},
        {"ASR", 255, "AlarmStatus"},
        {"PSR", 0, "CondensedProcStatus"},
        {"PSR", 1, "CondProcStat"},
        {"PSR", 2, "CondensedProcStatus"},
        {"PSR", 3, "CondProcStat"},
        {"PSR", 255, "ProcessStatus"},
        {"Mfa", 1, nullptr},
        {"XYZ", 1, nullptr},
        {"", 1, nullptr},
    };
    for (const auto& c : cases) {
        auto name = new_parameter_name(c.key, c.device_code);
        if (c.name)
            EXPECT_EQ(name.value_or("(none)"), c.name) << c.key << " for " << c.device_code;
        else
            EXPECT_FALSE(name) << c.key;
    }
    // The lower-case rows name the line counterpart of their upper-case row.
    for (const auto& row : mnemonic_rows()) {
        std::string upper(row.key);
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (upper == row.key || row.key == "mf%" || row.key == "bsz")
            continue;
        EXPECT_EQ(row.name, "Line" + std::string(*new_parameter_name(upper, 255))) << row.key;
    }
}

// Collects the names a register dialog shows for one device code.
class name_collector : public catalogue_visitor {
  public:
    void visit_device(target_device&, int) override {}
    void visit_param(target_param& p, int) override { names.insert(p.name()); }
    std::set<std::string> names;
};

// An imported map must find every one of its parameters in the default catalogue: every name
// the table produces for a device is shown for that device. Line parameters belong to the
// line controller ("HQP").
TEST(MnemonicTable, DefaultCatalogueHoldsEveryConvertedName) {
    parameter_list catalogue;
    ASSERT_EQ(catalogue.load_file(TESSALY_SOURCE_DIR "/resources/params.lst"),
              parameter_list::load_result::loaded);
    name_collector everywhere;
    catalogue.walk(everywhere);
    for (int device = 0; device <= 3; ++device) {
        name_collector shown;
        catalogue.walk(shown, device);
        for (const auto& row : mnemonic_rows()) {
            std::string name(*new_parameter_name(row.key, device));
            bool line_only = name.rfind("Line", 0) == 0 && name != "LineMaxRate";
            EXPECT_TRUE(everywhere.names.count(name)) << row.key << " -> " << name;
            if (!line_only || device == 3) {
                EXPECT_TRUE(shown.names.count(name))
                    << row.key << " -> " << name << " not shown for device " << device;
            }
        }
    }
    for (const char* name : {"AlarmStatus", "ProcessStatus"}) // the names for unknown devices
        EXPECT_TRUE(everywhere.names.count(name)) << name;
}

// The names the editor treats specially are all in the default catalogue, each with the type
// that makes the register dialog offer the right formats.
TEST(MnemonicTable, DefaultCatalogueHoldsTheSpecialNames) {
    parameter_list catalogue;
    ASSERT_EQ(catalogue.load(TESSALY_SOURCE_DIR "/resources/params.lst"), 0);
    struct typed_names : catalogue_visitor {
        void visit_device(target_device&, int) override {}
        void visit_param(target_param& p, int) override { types[p.name()] = p.type(); }
        std::map<std::string, int> types;
    } all;
    catalogue.walk(all);
    for (const char* name :
         {"LXGType", "LXGConfig", "FeederName", "CtrlBoardSWRev", "CtrlBoardHWRev", "LXGBoardSWRev",
          "LXGBoardHWRev", "SerialNumber", "HcuAlarmNumber", "HcuAlarmName"})
        EXPECT_EQ(all.types.count(name) ? all.types[name] : -1, param_string) << name;
    for (const char* name : {"ProcStat", "AlarmStat"})
        EXPECT_EQ(all.types.count(name) ? all.types[name] : -1, param_array) << name;
    for (const char* name :
         {"ProcessStatus", "AlarmStatus", "CondensedProcStatus", "CondensedAlrmStatus",
          "CondProcStat", "CondAlarmStat", "LXGStatus", "MDUStatus", "AlarmStatus0", "AlarmStatus1",
          "AlarmStatus2", "AlarmStatus3", "AlarmStatus4", "AlarmStatus5", "AlarmStatus6",
          "AlarmStatus7"})
        EXPECT_EQ(all.types.count(name) ? all.types[name] : -1, param_bits) << name;
    for (const char* name : {"FdrPercentOfLine", "Massflow", "Setpoint", "Totalizer"})
        EXPECT_TRUE(all.types.count(name)) << name;

    name_collector hqp;
    catalogue.walk(hqp, 3);
    EXPECT_TRUE(hqp.names.count("LineMassflow"));
}

} // namespace
