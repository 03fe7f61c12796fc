#pragma once
// The edit layer of a register map: every change a user makes to a map goes through here.
// New Register, Properties and Delete run their dialogs and their Retry/Cancel loop on the
// overlap refusal through the core's seams and say what a list showing the map must rebuild;
// the host protocol selection, the header's settings dialog and the settings form's edits
// change the header. The list's own preparation (sorting, normalising) lives here too, so that
// a view only reads the map.

#include <memory>
#include <vector>

class host_register;
class zrp_file;
struct protocol_form_values;

class map_editor {
  public:
    // The register dialog's editing-existing flag.
    static constexpr int edit_new_register = 0;
    static constexpr int edit_existing_register = 1;

    // What a register list must rebuild after an operation.
    enum class refresh { nothing, one_row, all_rows };
    struct register_change {
        refresh scope = refresh::nothing;
        // The row of the register the operation added or edited, where it stands now (-1
        // when there is none); for one_row the row to rebuild.
        int row = -1;
        bool changed() const { return scope != refresh::nothing; }
    };

    // What a header operation did: the user confirmed it, and whether a header of another
    // protocol or device took the old one's place.
    struct header_change {
        bool accepted = false;
        bool replaced = false;
    };

    explicit map_editor(zrp_file& map) : map_(map) {}

    zrp_file& map() const { return map_; }

    // Before a list shows every row: the registers sorted by number and each normalised.
    void prepare_display();
    // Before a list shows one row again: that register normalised.
    void prepare_row(int row);

    // New Register: the dialog on a copy of the template register (or a fresh register);
    // on OK the register is added, refused with Retry/Cancel while it overlaps another.
    register_change new_register();
    // Properties of the register at row: the dialog on a working copy, checked against every
    // other register with Retry/Cancel; the copy replaces the register on a clean OK.
    register_change edit_properties(int row);
    // Deletes exactly the registers at rows, whatever their order and gaps.
    register_change delete_rows(const std::vector<int>& rows);
    // Replaces the whole register list in one step (an imported register table): the
    // registers are added in their order under the overlap rule, and one that conflicts with
    // a register added before it is shown with the load's conflict message and left out. The
    // list keeps that order; a list showing the map sorts it when it rebuilds every row.
    register_change replace_registers(std::vector<std::unique_ptr<host_register>> registers);

    // The host protocol selection.
    header_change select_protocol();
    // The header's settings dialog.
    header_change edit_header();
    // An edit in the settings form: true when a header value changed.
    bool apply_form(const protocol_form_values& values);

    // What the register list does to a register before showing it: a format outside the
    // known codes becomes 0, and "ProcStat"/"AlarmStat" registers become format 11. True when
    // the register changed.
    static bool normalise_for_display(host_register& reg);

  private:
    int row_of(const host_register* reg) const;

    zrp_file& map_;
};
