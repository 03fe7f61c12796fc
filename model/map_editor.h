#pragma once
// The edit layer of a register map: every change a user makes to a map goes through here.
// New Register, Properties and Delete run their dialogs and their Retry/Cancel loop on the
// overlap refusal through the core's seams and say what a list showing the map must rebuild;
// Paste places registers read from text; the host protocol selection, the header's settings
// dialog and the settings form's edits change the header. The list's own preparation
// (sorting, normalising) lives here too, so that a view only reads the map.
//
// Each change is one step of the map's undo history, which Undo and Redo walk. The register
// operations keep the list sorted by number and record the rows they touched; the header
// operations record the header they replaced.

#include "model/map_history.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class host_register;
class zrp_file;
struct header_values;

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

    // What a paste did: the rows of the registers it put in (ascending), its counts, and the
    // one message to show once the list shows the result (empty: none).
    struct paste_result {
        register_change change;
        std::vector<int> rows;
        int pasted = 0;
        int renumbered = 0;
        int left_out = 0;
        bool codes_kept = false;
        std::string report;
    };

    // What Undo or Redo changed, for the views to follow.
    struct history_change {
        bool registers = false;
        bool header = false;
        // The header is of another protocol or device now: the settings form is rebuilt.
        bool header_replaced = false;
        // Rows of the registers the step put back or changed (ascending).
        std::vector<int> rows;
        bool changed() const { return registers || header; }
    };

    explicit map_editor(zrp_file& map) : map_(map) {}

    zrp_file& map() const { return map_; }
    map_history& history() { return history_; }
    const map_history& history() const { return history_; }

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
    // Cut: the deletion part (the caller has put the registers on the clipboard).
    register_change cut_rows(const std::vector<int>& rows);
    // Replaces the whole register list in one step (an imported register table): the
    // registers are added in their order under the overlap rule, and one that conflicts with
    // a register added before it is shown with the load's conflict message and left out. The
    // list keeps that order; a list showing the map sorts it when it rebuilds every row.
    register_change replace_registers(std::vector<std::unique_ptr<host_register>> registers);
    // Paste: the register entries of text, read as a map of source_device reads them (-1:
    // the text's own device line, else this map's device). A register whose number is free
    // keeps it; one that collides takes the map's next free number for its location, and is
    // left out when that one collides too. Status registers from a map of another device
    // keep their status codes. The result's report tells what was renumbered or left out
    // and when status codes were kept.
    paste_result paste(std::string_view text, int source_device = -1);

    // The host protocol selection.
    header_change select_protocol();
    // The header's settings dialog (the block definitions editor is reached from it).
    header_change edit_header();
    // An edit in the settings form: true when a header value changed. Consecutive edits from
    // one control (the keystrokes in one field) are one step; an edit that does not count as
    // a modification leaves an unmodified map unmodified.
    bool apply_form(const header_values& values, const void* control = nullptr,
                    bool counts_as_modification = true);
    // A settings form's device rule: the header's data bits and mode as the device allows.
    // The adjustment corrects the state the map is in and is no step of its own (undoing it
    // would only bring back what the rule corrects); when it counts as a modification the
    // map is modified until saved.
    void adjust_serial(int data_bits, int mode, bool counts_as_modification);

    // Reverses the last step / does the last step undone again.
    history_change undo();
    history_change redo();

    // What the register list does to a register before showing it: a format outside the
    // known codes becomes 0, and "ProcStat"/"AlarmStat" registers become format 11. True when
    // the register changed.
    static bool normalise_for_display(host_register& reg);

  private:
    int row_of(const host_register* reg) const;
    // The rows of regs in the list, ascending.
    std::vector<int> rows_of(const std::vector<const host_register*>& regs) const;
    // Ends a register step: the registers normalised as the list shows them (every one, or
    // the one at only_row), then the step goes into the history.
    void finish(map_step& step, int only_row = -1);
    register_change remove_rows(const std::vector<int>& rows, const char* verb);
    // Inserts reg at its place by number in the sorted list and returns its row.
    int insert_sorted(std::unique_ptr<host_register> reg);
    history_change follow(const map_step::outcome& outcome) const;

    zrp_file& map_;
    map_history history_;
};
