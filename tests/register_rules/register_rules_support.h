#pragma once
// What the tests of the register dialog's rules share: a small catalogue with one parameter of
// every type, a visitor that uses each entry's address as its view handle, presets, and the
// controls and choices of the Register page looked up by the names the rules use.

#include "catalogue/parameter_list.h"
#include "model/model_tables.h"
#include "register_rules/register_dialog_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace rules_test {

// Every parameter type under one device shown for every device code, and a line controller
// shown for "HQP" maps only.
inline const char* const catalogue_text = R"(<parameters>
  <device name="Feeder">
    <param name="Bits" type="bits">status bits</param>
    <param name="Count" type="int"></param>
    <param name="Flow" type="float"></param>
    <param name="Text" type="string"></param>
    <param name="Other" type="other"></param>
    <param name="Words" type="array"></param>
    <param name="Big" type="long"></param>
    <param name="ProcStat" type="array"></param>
    <param name="FeederName" type="string"></param>
  </device>
  <device name="Line" ctrl_type="hqp">
    <param name="LineRate" type="float"></param>
  </device>
</parameters>)";

// Records every shown entry, using its address as the view handle.
class handle_visitor : public catalogue_visitor {
  public:
    void visit_device(target_device& device, int) override {
        device.set_handle(&device);
        devices.push_back(&device);
    }
    void visit_param(target_param& param, int) override {
        param.set_handle(&param);
        params.push_back(&param);
    }
    view_handle param(std::string_view name) const {
        for (target_param* p : params)
            if (p->name() == name)
                return p->handle();
        return nullptr;
    }
    std::vector<target_device*> devices;
    std::vector<target_param*> params;
};

// A register of format on a Modbus map of device, with a value set for every field.
inline register_dialog_values preset(int format, std::string name, int device = 0) {
    register_dialog_values v;
    v.device_code = device;
    v.protocol_name = "Modbus";
    v.output_base = 40001;
    v.next_free_input = 40010;
    v.next_free_output = 40020;
    v.register_number = 40003;
    v.format = format;
    v.name = std::move(name);
    v.whole_count = 1;
    v.feeder = 5;
    v.maximum_text = "100.000000";
    v.minimum_text = "0.000000";
    v.scale_text = "1.000000";
    return v;
}

// The opposite of every choice the rows set: "1" fract, "2" whole, Force to 0, Reversed,
// Swapped.
inline register_dialog_values opposite(register_dialog_values v) {
    v.fraction_count = 1;
    v.whole_count = 2;
    v.negative_choice = 2;
    v.reversed = true;
    v.swapped = true;
    return v;
}

struct dialog {
    explicit dialog(const register_dialog_values& values, bool existing = true,
                    bool network = false)
        : catalogue(std::make_unique<parameter_list>()) {
        std::istringstream in(catalogue_text);
        catalogue->load_stream(in);
        state = std::make_unique<register_dialog_state>(values, existing, catalogue.get(), network);
        state->open(&visitor);
    }
    void pick(std::string_view name) { state->pick_item(visitor.param(name)); }
    register_dialog_state* operator->() { return state.get(); }

    std::unique_ptr<parameter_list> catalogue;
    handle_visitor visitor;
    std::unique_ptr<register_dialog_state> state;
};

inline int type_index(std::string_view label) {
    for (int t = 0; t < register_type_count; ++t)
        if (register_dialog_state::type_label(t) == label)
            return t;
    return -1;
}

// Whether a control the rules name is enabled ("length" means editable).
inline bool enabled(const register_dialog_state& s, std::string_view name) {
    const register_page_controls& c = s.controls();
    if (const int t = type_index(name); t >= 0)
        return c.type[static_cast<std::size_t>(t)];
    const struct {
        std::string_view name;
        bool value;
    } flags[] = {{"tree", c.tree},
                 {"#fract", c.fract},
                 {"# whole", c.whole},
                 {"Signed", c.integer_type[0]},
                 {"Unsigned", c.integer_type[1]},
                 {"Force to 0", c.integer_type[2]},
                 {"word order", c.word_order},
                 {"decimal shift", c.decimal_shift},
                 {"Min", c.minimum},
                 {"Max", c.maximum},
                 {"Scale", c.scale},
                 {"ROM value", c.rom_value},
                 {"feeder", c.feeder},
                 {"Swapped", c.swapped},
                 {"length", c.length}};
    for (const auto& f : flags)
        if (f.name == name)
            return f.value;
    ADD_FAILURE() << "unknown control " << name;
    return false;
}

// Whether a choice the rules name is set.
inline bool chosen(const register_dialog_state& s, std::string_view name) {
    const register_page_fields& f = s.fields();
    if (const int t = type_index(name); t >= 0)
        return f.type == t;
    const struct {
        std::string_view name;
        bool value;
    } choices[] = {{"\"0\" fract", f.fract == 0},
                   {"\"1\" fract", f.fract == 1},
                   {"\"1\" whole", f.whole == 0},
                   {"\"2\" whole", f.whole == 1},
                   {"Signed", f.integer_type == 0},
                   {"Unsigned", f.integer_type == 1},
                   {"Force to 0", f.integer_type == 2},
                   {"Normal", f.word_order == 0},
                   {"Reversed", f.word_order == 1},
                   {"Swapped", f.swapped},
                   {"Line 1", f.line == 0},
                   {"Line 2", f.line == 1}};
    for (const auto& c : choices)
        if (c.name == name)
            return c.value;
    ADD_FAILURE() << "unknown choice " << name;
    return false;
}

// Expands the group names of the rules into the names above.
inline std::vector<std::string> expand(std::initializer_list<std::string_view> names) {
    std::vector<std::string> out;
    for (std::string_view n : names) {
        if (n == "Integer Type") {
            out.insert(out.end(), {"Signed", "Unsigned", "Force to 0"});
        } else if (n == "the eight standard types") {
            for (int t = 0; t < 8; ++t)
                out.emplace_back(register_dialog_state::type_label(t));
        } else if (n == "the four special types") {
            for (int t = 8; t < 12; ++t)
                out.emplace_back(register_dialog_state::type_label(t));
        } else {
            out.emplace_back(n);
        }
    }
    return out;
}

} // namespace rules_test
