#pragma once
// The register dialog without a window: the fields and choices of its Register page, which
// controls are enabled and shown, one function per event the user can cause, and what OK
// hands back to the register. The enable rules pick one row of a table by the parameter's
// class and the register type. Toolkit-free, so that every rule is tested without a window;
// the Qt pages show this state and pass every user action to it.

#include "catalogue/target_param.h"
#include "model/register_values.h"
#include "register_rules/register_bits_state.h"

#include <array>
#include <optional>
#include <string>

class catalogue_visitor;
class parameter_list;

// The class of the picked catalogue parameter, from its param_type.
enum class param_class { none, bits, integer, floating, string, array, long_integer };

// The register types the dialog offers; the index is the register format code.
constexpr int register_type_count = 12;

// The rows of the enable table.
enum class enable_row {
    numeric,
    shift,
    bitmap,
    rom,
    floating,
    integer,
    long_integer,
    string,
    status,
    array,
    plain
};

// Enabled and shown states of the Register page's controls.
struct register_page_controls {
    std::array<bool, register_type_count> type{};
    bool tree = true;
    bool fract = true;                                  // both "#fract" choices
    bool whole = true;                                  // both "# whole" choices
    std::array<bool, 3> integer_type{true, true, true}; // Signed, Unsigned, Force to 0
    bool word_order = true;                             // Normal and Reversed
    bool swapped = true;
    // The fields of single types start disabled; the rows of their types enable them.
    bool decimal_shift = false;
    bool minimum = false;
    bool maximum = false;
    bool scale = false;
    bool rom_value = false;
    bool feeder = true;
    bool length = true; // editable
    bool line = false;  // both Line choices
    bool ok = false;

    bool whole_shown = true;
    bool length_shown = false;
    bool location_shown = false;
    bool blocks_shown = false;
    bool feeder_shown = false;
    bool line_shown = false;
};

// The values of the Register page's fields and choices. Numbers the user types are held as
// text and read when OK is pressed.
struct register_page_fields {
    std::string selected_text; // the read-only line above the tree
    view_handle selected_item = nullptr;
    std::string name;
    std::string group_name;
    param_class parameter_class = param_class::none;
    std::string register_number;
    int type = 0;
    int fract = 0;        // "#fract": 0 or 1
    int whole = 0;        // "# whole": 0 for "1", 1 for "2"
    std::string length;   // whole registers of strings and arrays
    int integer_type = 0; // 0 Signed, 1 Unsigned, 2 Force to 0
    int word_order = 0;   // 0 Normal, 1 Reversed
    bool swapped = false;
    int location = 0; // 0 "Read Block", 1 "Write Block"
    int block = -1;   // selected block, -1 none
    int decimal_shift = 0;
    std::string minimum, maximum, scale;
    std::string feeder;
    std::string rom_value;
    int line = 0; // 0 "Line 1", 1 "Line 2"
    int status_array = 0;
};

class register_dialog_state {
  public:
    static constexpr int max_length = 16;

    // The dialog for values, for an existing register (Properties) or a new one, over the
    // catalogue (may be nullptr: an empty tree). network is the application's
    // network_protocol_flag.
    register_dialog_state(const register_dialog_values& values, bool editing_existing,
                          parameter_list* catalogue, bool network);

    // Opening: fills the tree through visitor (which records the view handle of every item it
    // makes) and preselects the register's parameter as if it were picked, then sets the
    // shown controls, Location, the enable rules and OK. Returns the preselected item (null
    // when none matched).
    view_handle open(catalogue_visitor* visitor);

    // Events.
    void pick_item(view_handle item);
    void choose_type(int type);
    void choose_fract(int fract);
    void choose_whole(int whole);
    void edit_length(const std::string& text);
    void choose_integer_type(int choice);
    void choose_word_order(int order);
    void toggle_swapped(bool ticked);
    void choose_location(int location);
    void pick_block(int block);
    void choose_line(int line);
    void set_decimal_shift(int shift);
    void edit_register_number(const std::string& text) { fields_.register_number = text; }
    void edit_feeder(const std::string& text) { fields_.feeder = text; }
    void edit_rom_value(const std::string& text) { fields_.rom_value = text; }
    void edit_minimum(const std::string& text) { fields_.minimum = text; }
    void edit_maximum(const std::string& text) { fields_.maximum = text; }
    void edit_scale(const std::string& text) { fields_.scale = text; }

    // OK: the first field refused (the dialog stays open on it), or nothing, in which case
    // values holds what the register takes.
    std::optional<dialog_refusal> confirm(register_dialog_values& values) const;

    const register_page_fields& fields() const { return fields_; }
    const register_page_controls& controls() const { return controls_; }
    register_bits_state& bits() { return bits_; }
    const register_bits_state& bits() const { return bits_; }
    int device_code() const { return preset_.device_code; }
    const register_dialog_values& preset() const { return preset_; }
    // The row of the enable table the last rules applied.
    enable_row row() const { return row_; }
    // The Commands page is present while the type is 3, the Status page while it is 4.
    bool commands_page() const { return fields_.type == 3; }
    bool status_page() const { return fields_.type == 4; }

    // "* 1000" for 3, "* 0.001" for -3.
    static std::string multiplier_text(int shift);
    // The register type labels, index = format code.
    static std::string_view type_label(int type);
    // The row of the enable table for a class and register type.
    static enable_row row_for(param_class cls, int type);

  private:
    void apply_enable_rules();
    void apply_row(enable_row row);
    void set_type(int type);
    bool line_parameter() const;
    int length_value() const;

    register_dialog_values preset_;
    bool editing_existing_;
    parameter_list* catalogue_;
    register_page_fields fields_;
    register_page_controls controls_;
    register_bits_state bits_;
    enable_row row_ = enable_row::plain;
    // The row's own say on "#fract", which "# whole" "1" gives back.
    bool row_allows_fract_ = true;
};
