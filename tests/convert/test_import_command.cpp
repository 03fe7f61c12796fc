#include "convert/import_command.h"
#include "convert_fixture.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportTarget, DescriptionLineFromDeviceAndProtocolPosition) {
    struct {
        const char* device;
        int position;
        const char* description;
        int device_code;
    } const cases[] = {
        {"RDX", 1, "RDX Modbus Protocol", 1},        {"RDX", -1, "RDX Modbus Protocol", 1},
        {"BLF", 0, "BLF Allen-Bradley Protocol", 0}, {"WNT", 2, "WNT Siemens Protocol", 2},
        {"HQP", 3, "HQP Profibus Protocol", 3},      {"RDX", 4, "RDX Modbus/TCP Protocol", 1},
        {"RDX", 5, "RDX Modbus+ Protocol", 1},       {"RDX", 6, "RDX DeviceNet Protocol", 1},
        {"RDX", 7, "RDX Ethernet/IP Protocol", 1},   {"HQP", 8, "HQP ProfinetIO Protocol", 3},
        {"RDX", 9, "RDX Modbus Protocol", 1},        {"rdx", 1, "Modbus Protocol", 255},
        {"", 0, "Allen-Bradley Protocol", 255},
    };
    for (const auto& c : cases) {
        import_target t = import_target_for(import_selection{c.device, c.position});
        EXPECT_EQ(t.description, c.description) << c.device << ' ' << c.position;
        EXPECT_EQ(t.device_code, c.device_code) << c.device << ' ' << c.position;
    }
    import_target cancelled = import_target_for(std::nullopt);
    EXPECT_EQ(cancelled.description, "");
    EXPECT_EQ(cancelled.device_code, 1);

    for (int position = 0; position < 9; ++position)
        EXPECT_EQ(import_protocol_position(import_protocol_word(position)), position);
    EXPECT_FALSE(import_protocol_position("modbus"));
    EXPECT_FALSE(import_protocol_position("Modbus Plus"));
}

const std::string head =
    "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\n";

class ImportCommand : public ConvertFolder {
  protected:
    void SetUp() override {
        ConvertFolder::SetUp();
        old_path = write("old.zrp", head + "HREG\n40001 0 1 0 0 0 F:1 ASR\n");
    }
    std::string old_path;
    scripted_ui ui;
};

TEST_F(ImportCommand, ExistingAndSameFiles) {
    write("exists.zrp", "keep me\n");
    struct {
        const char* what;
        std::string new_path;
        overwrite_policy policy;
        std::initializer_list<bool> answers;
        bool accepted;
        std::vector<std::string> texts;
    } const cases[] = {
        {"new file", path("new.zrp"), overwrite_policy::refuse, {}, true, {}},
        {"existing, refused",
         path("exists.zrp"),
         overwrite_policy::refuse,
         {},
         false,
         {"Conversion cancelled."}},
        {"existing, user says No",
         path("exists.zrp"),
         overwrite_policy::ask,
         {false},
         false,
         {"File Already Exists, Overwrite?", "Conversion cancelled."}},
        {"existing, user says Yes",
         path("exists.zrp"),
         overwrite_policy::ask,
         {true},
         true,
         {"File Already Exists, Overwrite?"}},
        {"existing, allowed", path("exists.zrp"), overwrite_policy::allow, {}, true, {}},
        {"same file, refused as existing",
         old_path,
         overwrite_policy::refuse,
         {},
         false,
         {"Conversion cancelled."}},
        {"same file after Yes",
         old_path,
         overwrite_policy::ask,
         {true},
         false,
         {"File Already Exists, Overwrite?", "Error: new file name is the same as old."}},
        {"same file spelt differently",
         (dir_ / "sub" / ".." / "." / "old.zrp").string(),
         overwrite_policy::allow,
         {},
         false,
         {"Error: new file name is the same as old."}},
    };
    std::filesystem::create_directories(dir_ / "sub");
    for (const auto& c : cases) {
        scripted_ui answers;
        answers.answer(c.answers);
        scoped_ui use(answers);
        import_command command(old_path, c.new_path);
        EXPECT_EQ(command.check_files(c.policy), c.accepted) << c.what;
        EXPECT_EQ(answers.texts(), c.texts) << c.what;
    }
    EXPECT_EQ(read(path("exists.zrp")), "keep me\n");
}

TEST_F(ImportCommand, ConvertsForTheSelection) {
    struct {
        const char* what;
        std::optional<import_selection> selection;
        std::string first_lines;
    } const cases[] = {
        {"cancelled selection", std::nullopt,
         "\n" + head + "HREG\n40001 0 1 0 0 0 F:1 CondAlarmStat \n"},
        {"BLF", import_selection{"BLF", 4},
         "BLF Modbus/TCP Protocol\n" + head + "HREG\n40001 0 1 0 0 0 F:1 CondensedAlrmStatus \n"},
    };
    for (const auto& c : cases) {
        scoped_ui use(ui);
        import_command command(old_path, path("new.zrp"));
        command.set_log_path(path("convert.log"));
        EXPECT_EQ(command.convert(c.selection), import_outcome::done) << c.what;
        EXPECT_EQ(read(path("new.zrp")), c.first_lines) << c.what;
    }
}

TEST_F(ImportCommand, FailedConversionSaysSo) {
    scoped_ui use(ui);
    import_command command(path("missing.zrp"), path("new.zrp"));
    command.set_log_path(path("convert.log"));
    EXPECT_EQ(command.convert(import_selection{"RDX", 1}), import_outcome::failed);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"The file could not be opened.",
                                                    "Error converting *.zrp file."}));

    ui.events.clear();
    write("bad.zrp", head + "HREG\n40001 0 1 0 0 0 F:1 QQQ\n");
    write("new.zrp", "an earlier conversion\n");
    import_command errors(path("bad.zrp"), path("new.zrp"));
    errors.set_log_path(path("convert.log"));
    EXPECT_EQ(errors.convert(std::nullopt), import_outcome::errors);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "Errors during conversion!\nExamine convert.log for details."});
    // Nothing of the failed conversion replaces what was there.
    EXPECT_EQ(read(path("new.zrp")), "an earlier conversion\n");
}

} // namespace
