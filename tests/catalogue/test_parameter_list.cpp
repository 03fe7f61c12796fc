#include "catalogue/parameter_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ParameterList : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("catalogue_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& text) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path dir_;
};

// Records a walk as one line per entry: "D name code" or "P name type", indented by depth.
class recorder : public catalogue_visitor {
  public:
    void visit_device(target_device& d, int depth) override {
        lines.push_back(std::string(2 * depth, ' ') + "D " + d.name() + ' ' +
                        std::to_string(d.device_code()));
    }
    void visit_param(target_param& p, int depth) override {
        lines.push_back(std::string(2 * depth, ' ') + "P " + p.name() + ' ' +
                        std::to_string(p.type()));
    }
    std::vector<std::string> lines;
};

// Gives every shown entry a distinct handle, as the register dialog's tree items would be.
class handle_giver : public catalogue_visitor {
  public:
    void visit_device(target_device& d, int) override { d.set_handle(next()); }
    void visit_param(target_param& p, int) override { p.set_handle(next()); }
    view_handle next() { return &slots[used++]; }
    char slots[64] = {};
    int used = 0;
};

const char* const sample = R"(<?xml version="1.0"?>
<catalogue>
  <device name="Top" ctrl_type="rdx">
    <param name="A" type="float">first</param>
    <device name="Sub">
      <param name="S" type="int">in sub</param>
    </device>
    <param name="B" type="long"><x></x>not a description</param>
  </device>
  <param name="Stray" type="int">under the root</param>
  <other><device name="Hidden"></device></other>
  <device name="Shared">
    <param name="A" type="Float">same name, later</param>
    <param name="C">no type</param>
  </device>
</catalogue>
)";

TEST_F(ParameterList, BuildsDevicesInFileOrderAndWalksSubDevicesFirst) {
    parameter_list list;
    ASSERT_EQ(list.load(file("p.lst", sample)), 0);
    ASSERT_EQ(list.count(), 2);
    recorder walk;
    list.walk(walk);
    EXPECT_EQ(walk.lines,
              (std::vector<std::string>{"D Top 1", "  D Sub 255", "    P S 1", "  P A 2", "  P B 7",
                                        "D Shared 255", "  P A 4", "  P C 4"}));
    const target_device* top = list.at(0);
    EXPECT_EQ(top->params().at(0)->description(), "first");
    EXPECT_EQ(top->params().at(1)->description(), "");
    EXPECT_EQ(top->params().at(0)->device(), top);
    EXPECT_EQ(top->devices().at(0)->parent(), top);
    EXPECT_EQ(top->parent(), nullptr);
}

TEST_F(ParameterList, AttributeValuesAndTheDeviceFilter) {
    parameter_list list;
    list.load(file("p.lst", R"(<r>
      <device name="first" name="blf" ctrl_type="blf"><param type="bits" type="array"></param></device>
      <device name="rdx" ctrl_type="rdx"><device name="inner" ctrl_type="hqp"></device></device>
      <device name="wnt" ctrl_type="wnt"></device>
      <device name="hqp" ctrl_type="hqp" ctrl_type="HQP"></device>
      <device name="any" ctrl_type="RDX"></device>
      <device name="string" ctrl_type="string"><param type="string"></param><param type="bits"></param>
        <param type="int"></param><param type="float"></param><param type="long"></param></device>
    </r>)"));
    recorder all;
    list.walk(all);
    EXPECT_EQ(all.lines,
              (std::vector<std::string>{"D blf 0", "  P  6", "D rdx 1", "  D inner 3", "D wnt 2",
                                        "D hqp 3", "D any 255", "D string 255", "  P  3", "  P  0",
                                        "  P  1", "  P  2", "  P  7"}));
    recorder rdx;
    list.walk(rdx, 1);
    // A hidden device hides its whole subtree, and a shown one does not show a sub-device
    // of another device code.
    EXPECT_EQ(rdx.lines, (std::vector<std::string>{"D rdx 1", "D any 255", "D string 255", "  P  3",
                                                   "  P  0", "  P  1", "  P  2", "  P  7"}));
    recorder hqp;
    list.walk(hqp, 3);
    EXPECT_EQ(hqp.lines.front(), "D hqp 3");
}

// Devices nested past the reader's depth guard, then a real device after them.
std::string deep_catalogue() {
    std::string text = "<parameters><device name=\"Top\">";
    for (int i = 0; i < 300; ++i)
        text += "<device name=\"d\">";
    for (int i = 0; i < 300; ++i)
        text += "</device>";
    return text + "</device><device name=\"Real\" ctrl_type=\"rdx\"><param name=\"Massflow\" "
                  "type=\"float\">m</param></device></parameters>";
}

TEST_F(ParameterList, FailedLoadsKeepTheCatalogue) {
    std::filesystem::create_directories(dir_ / "folder");
    parameter_list list;
    EXPECT_EQ(list.load((dir_ / "missing.lst").string()), -1);
    EXPECT_EQ(list.count(), 0);

    ASSERT_EQ(list.load(file("good.lst", sample)), 0);
    const target_device* before = list.at(0);
    struct {
        const char* name;
        std::string text;
        parameter_list::load_result result;
    } const cases[] = {
        {"empty.lst", "", parameter_list::load_result::no_root},
        {"broken.lst", "<r><device name=\"x\"></device>", parameter_list::load_result::no_root},
        {"below.lst", "<r><device name='x'></device></r>", parameter_list::load_result::no_root},
        {"binary.lst", std::string("\x00\xff<\x01\x80", 5), parameter_list::load_result::no_root},
        {"deep.lst", deep_catalogue(), parameter_list::load_result::no_root},
        {"folder", "", parameter_list::load_result::cannot_open},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list.load_file(file(c.name, c.text)), c.result) << c.name;
        EXPECT_EQ(list.count(), 2) << c.name;
        EXPECT_EQ(list.at(0), before) << c.name;
    }
    EXPECT_EQ(list.load((dir_ / "missing.lst").string()), -1);
    EXPECT_EQ(list.at(0), before);

    ASSERT_EQ(list.load(file("other.lst", "<r><device name=\"Only\"></device></r>")), 0);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0)->name(), "Only");
}

TEST_F(ParameterList, FillPreselectsTheRegistersParameter) {
    parameter_list list;
    list.load(file("p.lst", sample));
    struct {
        int device_code;
        const char* name;
        const char* group;
        const char* expected_device; // null: no match
        int expected_type;
    } const cases[] = {
        {1, "A", "", "Shared", 4},   // the later of two in walk order
        {1, "A", "Top", "Top", 2},   // the group decides
        {0, "A", "", "Shared", 4},   // Top is hidden for BLF
        {0, "A", "Top", nullptr, 0}, // only in a hidden device
        {1, "S", "Sub", "Sub", 1},
        {1, "S", "Top", nullptr, 0}, // the group is the holding device, not an ancestor
        {1, "Stray", "", nullptr, 0},
        {1, "a", "", nullptr, 0}, // names are case-sensitive
    };
    for (const auto& c : cases) {
        handle_giver tree;
        target_param* found = list.fill(tree, c.device_code, c.name, c.group);
        if (!c.expected_device) {
            EXPECT_EQ(found, nullptr) << c.name << '/' << c.group;
            continue;
        }
        ASSERT_NE(found, nullptr) << c.name << '/' << c.group;
        EXPECT_EQ(found->device()->name(), c.expected_device);
        EXPECT_EQ(found->type(), c.expected_type);
    }
}

TEST_F(ParameterList, FindsTheParameterATreeItemShows) {
    parameter_list list;
    list.load(file("p.lst", sample));
    handle_giver rdx_tree;
    list.fill(rdx_tree, 1, "", "");
    const target_param* s = list.at(0)->devices().at(0)->params().at(0);
    EXPECT_EQ(list.find_by_handle(s->handle()), s);
    EXPECT_EQ(list.find_by_handle(list.at(1)->params().at(1)->handle()),
              list.at(1)->params().at(1));
    EXPECT_EQ(list.find_by_handle(list.at(0)->handle()), nullptr); // a device item
    EXPECT_EQ(list.find_by_handle(nullptr), nullptr);

    // Filling for another device forgets the handles of the entries it no longer shows, so an
    // item of the new tree can never be taken for a hidden parameter.
    view_handle old_top_param = list.at(0)->params().at(0)->handle();
    handle_giver blf_tree;
    list.fill(blf_tree, 0, "", "");
    EXPECT_EQ(list.at(0)->params().at(0)->handle(), nullptr);
    EXPECT_EQ(list.find_by_handle(old_top_param), nullptr);
}

} // namespace
